#pragma once
// The output forms of `vantrel lint`.

#include <string>
#include <vector>

#include "finding.h"

// One linted file: its name as shown, its bytes (for the source lines shown), its findings.
struct LintedFile {
  std::string path;
  std::string bytes;
  std::vector<Finding> findings;
};

// Text: "FILE:LINE:COL: severity: message [rule]", then the source line and a caret under the
// range as gcc shows them, with notes for related places and fixes. Gcc: the first line only,
// as editors and CI annotations read it. Json: one array of finding objects. Sarif: SARIF 2.1.0.
enum class FindingFormat { Text, Gcc, Json, Sarif };

// `color`: ANSI colours in the text form, as on a terminal.
std::string FormatFindings(const std::vector<LintedFile>& files, FindingFormat format,
                           bool color);
