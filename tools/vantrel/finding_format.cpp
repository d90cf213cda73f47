// The three output forms of `vantrel lint`.
#include <nlohmann/json.hpp>
#include <string>

#include "finding.h"

namespace {

std::string MessageWithSuggestion(const Finding& finding) {
  if (finding.suggestion.empty()) return finding.message;
  return finding.message + " (did you mean " + finding.suggestion + "?)";
}

std::string FindingLine(const Finding& finding) {
  return std::to_string(finding.line) + ": " + SeverityName(finding.severity) + ": " +
         MessageWithSuggestion(finding) + " [" + finding.rule + "]\n";
}

std::string Json(const std::vector<Finding>& findings, const std::string& file) {
  // ordered_json keeps the keys in the documented order.
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (const Finding& finding : findings) {
    nlohmann::ordered_json object;
    object["file"] = file;
    object["line"] = finding.line;
    object["severity"] = SeverityName(finding.severity);
    object["rule"] = finding.rule;
    object["message"] = finding.message;
    if (!finding.suggestion.empty()) object["suggestion"] = finding.suggestion;
    array.push_back(std::move(object));
  }
  // A configuration may hold any bytes; invalid UTF-8 is replaced rather than thrown on.
  return array.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

const char* SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

std::string FormatFindings(const std::vector<Finding>& findings, const std::string& file,
                           FindingFormat format) {
  if (format == FindingFormat::Json) return Json(findings, file);
  std::string out;
  for (const Finding& finding : findings) {
    if (format == FindingFormat::Gcc) out += file + ":";
    std::string line = FindingLine(finding);
    if (format == FindingFormat::Gcc) line.insert(line.find(':'), ":1");
    out += line;
  }
  return out;
}
