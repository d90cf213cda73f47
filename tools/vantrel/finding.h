#pragma once
// One thing `vantrel lint` has to say about a configuration line.

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct Finding {
  int32_t line = 0;
  Severity severity = Severity::Warning;
  std::string rule;  // "load", "missing-profile", ...
  std::string message;
  std::string suggestion;  // the name probably meant; empty when there is none
};

const char* SeverityName(Severity severity);

// Output forms: "LINE: severity: message [rule]", the same behind "FILE:LINE:1: " as
// compilers print it, or a JSON array of finding objects.
enum class FindingFormat { Text, Gcc, Json };

std::string FormatFindings(const std::vector<Finding>& findings, const std::string& file,
                           FindingFormat format);
