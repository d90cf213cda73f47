#include "lsp/analysis.h"

#include <cstdlib>
#include <string>

#include "config/loader.h"
#include "plugin/plugin.h"
#include "plugin_session.h"

namespace {

// The queue keeps "%" doubled for the console's format.
std::string Unescaped(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    plain += text[i];
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
  return plain;
}

}  // namespace

std::unique_ptr<Analysis> AnalyzeText(std::string_view text) {
  auto analysis = std::make_unique<Analysis>();
  analysis->session = Plugin::Instance().NewSession();
  LoadConfigurationText(*analysis->session, text);
  LineReader reader(text);
  std::string_view piece;
  while (reader.Next(piece)) {
    analysis->lines.push_back({static_cast<size_t>(piece.data() - text.data()), piece.size()});
  }
  for (const std::string& line : analysis->session->messageQueue) {
    if (!IsConfigurationError(line)) continue;
    Finding finding;
    finding.severity = Severity::Error;
    finding.rule = "load";
    finding.line = static_cast<int32_t>(std::strtol(line.c_str() + line.find('(') + 1, nullptr, 10));
    finding.message = Unescaped(line.substr(line.find("): ") + 3));
    analysis->findings.push_back(std::move(finding));
  }
  return analysis;
}
