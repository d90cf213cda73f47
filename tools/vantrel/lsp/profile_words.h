#pragma once
// How the server speaks of a profile: its kind in a word or two, and its hover.

#include <string>

#include "lsp/open_document.h"

// "exclusive", "parallel" or "default", with ", skip" or ", disabled" for a marked one.
std::string ProfileKindWords(const Block& block);
// The block a profile part names, or null (a name that reaches no profile).
const Block* BlockOfPart(const Analysis& analysis, const Part& part);
// Its kind, its conditions and the commands that name it.
std::string ProfileHover(const OpenDocument& document, const Part& part);
