// Quick fixes: the fixes lint attaches to its findings, for the findings in the range asked.
#include "finding.h"
#include "lint_lines.h"
#include "lsp/features.h"

namespace {

Json WorkspaceEdit(const OpenDocument& document, const EditorLines& lines, const std::string& uri,
                   const Fix& fix, PositionEncoding encoding) {
  Json edits = Json::array();
  for (const TextEdit& edit : fix.edits) {
    const size_t begin = lines.OffsetOf(edit.line, edit.column);
    const size_t end = std::max(begin, lines.OffsetOf(edit.endLine, edit.endColumn));
    edits.push_back(
        {{"range", RangeJson(document.text, begin, end, encoding)}, {"newText", edit.newText}});
  }
  return {{"changes", {{uri, std::move(edits)}}}};
}

}  // namespace

Json CodeActionsIn(const OpenDocument& document, const std::string& uri, size_t begin, size_t end,
                   PositionEncoding encoding) {
  const EditorLines lines(document.text.Text());
  Json actions = Json::array();
  for (const Finding& finding : document.analysis->findings) {
    size_t from = 0, to = 0;
    FindingRange(lines, finding, from, to);
    if (from > end || to < begin) continue;
    for (const Fix& fix : finding.fixes) {
      actions.push_back({{"title", fix.title},
                         {"kind", "quickfix"},
                         {"diagnostics", {DiagnosticOf(document, lines, uri, finding, encoding)}},
                         // Only a fix whose intent is certain is the one to apply unasked.
                         {"isPreferred", fix.certain},
                         {"edit", WorkspaceEdit(document, lines, uri, fix, encoding)}});
    }
  }
  return actions;
}
