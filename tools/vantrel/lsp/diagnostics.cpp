// Findings as the protocol's diagnostics.
#include "finding.h"
#include "lint_lines.h"
#include "lsp/features.h"

void FindingRange(const EditorLines& lines, const Finding& finding, size_t& begin, size_t& end) {
  begin = lines.OffsetOf(finding.line, finding.column);
  end = std::max(begin, lines.OffsetOf(finding.line, finding.endColumn));
}

Json DiagnosticOf(const OpenDocument& document, const EditorLines& lines, const std::string& uri,
                  const Finding& finding, PositionEncoding encoding) {
  size_t begin = 0, end = 0;
  FindingRange(lines, finding, begin, end);
  Json diagnostic = {
      {"range", RangeJson(document.text, begin, end, encoding)},
      {"severity", finding.severity == Severity::Error ? 1 : 2},
      {"code", finding.rule},
      {"source", "vantrel"},
      {"message", finding.message},
  };
  if (!finding.related.empty()) {
    Json related = Json::array();
    for (const RelatedLocation& place : finding.related) {
      const size_t from = lines.OffsetOf(place.line, place.column);
      const size_t to = std::max(from, lines.OffsetOf(place.line, place.endColumn));
      const Json location = {{"uri", uri}, {"range", RangeJson(document.text, from, to, encoding)}};
      related.push_back({{"location", location}, {"message", place.message}});
    }
    diagnostic["relatedInformation"] = std::move(related);
  }
  return diagnostic;
}

Json DiagnosticsOf(const OpenDocument& document, const std::string& uri,
                   PositionEncoding encoding) {
  const EditorLines lines(document.text.Text());
  Json diagnostics = Json::array();
  for (const Finding& finding : document.analysis->findings) {
    diagnostics.push_back(DiagnosticOf(document, lines, uri, finding, encoding));
  }
  return diagnostics;
}
