#pragma once
// The warnings of `vantrel lint`, read off the profiles the loader built.

#include <vector>

#include "finding.h"

// Every rule over the profiles of the live session (names are looked up the way commands look
// them up there); findings in rule order, not yet by line.
std::vector<Finding> ProfileFindings();
