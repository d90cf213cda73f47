#pragma once
#include "plugin/hooks/hooks.h"

inline const HookSite& Row(int number) { return HookTable()[number - 1]; }
