// Findings as the protocol's diagnostics.
#include "base/text.h"
#include "lsp/features.h"

namespace {

// The trimmed text of the game's line, or the document's start for a line it does not hold.
void LineRange(const OpenDocument& document, int32_t line, size_t& begin, size_t& end) {
  const std::vector<GameLine>& lines = document.analysis->lines;
  begin = end = 0;
  if (line < 1 || static_cast<size_t>(line) > lines.size()) return;
  const GameLine& game = lines[static_cast<size_t>(line) - 1];
  const std::string_view piece = std::string_view(document.text.Text()).substr(game.begin, game.length);
  const std::string_view trimmed = Trim(piece);
  begin = game.begin + static_cast<size_t>(trimmed.data() - piece.data());
  end = begin + trimmed.size();
}

}  // namespace

Json DiagnosticsOf(const OpenDocument& document, PositionEncoding encoding) {
  Json diagnostics = Json::array();
  for (const Finding& finding : document.analysis->findings) {
    size_t begin = 0, end = 0;
    LineRange(document, finding.line, begin, end);
    Json diagnostic = {
        {"range", RangeJson(document.text, begin, end, encoding)},
        {"severity", finding.severity == Severity::Error ? 1 : 2},
        {"code", finding.rule},
        {"source", "vantrel"},
        {"message", finding.message},
    };
    diagnostics.push_back(std::move(diagnostic));
  }
  return diagnostics;
}
