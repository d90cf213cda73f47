#pragma once
// `simulate --explain SECONDS`: why each profile is or is not current or active at that time.

#include <memory>

#include "run_observer.h"

std::unique_ptr<RunObserver> MakeExplainer(double seconds);
