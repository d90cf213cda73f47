#pragma once
// Linting a configuration: the game's own loader reads the text into a session of its own, and
// the rules read what it built. This is the entry the command line and the language server use;
// it touches no live plug-in state and keeps nothing between calls. One call at a time: the
// default profile's start-up commands run as in the game and reach the host (the simulated
// game), which is not made for two threads.

#include <string>
#include <string_view>
#include <vector>

#include "finding.h"

struct LintOptions {
  std::vector<std::string> disabledRules;  // rule ids never reported
};

// Every finding for `fileBytes`, the file's content as saved (any line ends, any encoding), in
// the order of their positions. Suppression comments in the text are honoured.
std::vector<Finding> LintConfiguration(std::string_view fileBytes, const LintOptions& options = {});
