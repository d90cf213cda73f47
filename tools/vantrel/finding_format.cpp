// The output forms of `vantrel lint`: text with the source line and a caret, gcc, JSON, SARIF.
#include "finding_format.h"

#include <nlohmann/json.hpp>
#include <algorithm>
#include <string>

#include "lint_lines.h"
#include "lint_rule_table.h"
#include "plugin/version.h"

namespace {

using Json = nlohmann::ordered_json;  // keeps the keys in the documented order

// Colours as gcc uses them: location bold, errors red, warnings magenta, notes cyan, the caret
// green.
struct Palette {
  const char* bold = "";
  const char* error = "";
  const char* warning = "";
  const char* note = "";
  const char* caret = "";
  const char* reset = "";
};

Palette PaletteFor(bool color) {
  if (!color) return {};
  return {"\033[1m", "\033[1;31m", "\033[1;35m", "\033[1;36m", "\033[1;32m", "\033[m"};
}

const char* SeverityColor(const Palette& palette, Severity severity) {
  return severity == Severity::Error ? palette.error : palette.warning;
}

std::string MessageWithSuggestion(const Finding& finding) {
  if (finding.suggestion.empty()) return finding.message;
  return finding.message + " (did you mean " + finding.suggestion + "?)";
}

std::string Location(const std::string& path, int32_t line, int32_t column) {
  return path + ":" + std::to_string(line) + ":" + std::to_string(column) + ":";
}

// A source line as shown: control characters other than tab become '?', so nothing the file
// holds moves the terminal.
std::string Printable(std::string_view line) {
  std::string shown(line);
  for (char& c : shown) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = '?';
  }
  return shown;
}

// Under `line`, blanks up to `column` (tabs kept, one blank per UTF-8 character), then "^~~".
std::string CaretLine(std::string_view line, int32_t column, int32_t endColumn) {
  std::string caret;
  const size_t start = std::min(static_cast<size_t>(std::max(column, 1) - 1), line.size());
  for (size_t i = 0; i < start; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte
    caret += c == '\t' ? '\t' : ' ';
  }
  caret += '^';
  for (int32_t i = column + 1; i < endColumn && static_cast<size_t>(i) <= line.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i - 1]);
    if ((c & 0xC0) != 0x80) caret += '~';
  }
  return caret;
}

void AppendText(std::string& out, const LintedFile& file, const EditorLines& lines,
                const Finding& finding, const Palette& palette, bool excerpt) {
  out += palette.bold + Location(file.path, finding.line, finding.column) + palette.reset + " " +
         SeverityColor(palette, finding.severity) + SeverityName(finding.severity) + ":" +
         palette.reset + " " + MessageWithSuggestion(finding) + " [" + finding.rule + "]\n";
  if (!excerpt) return;
  const std::string number = std::to_string(finding.line);
  const std::string gutter(std::max<size_t>(number.size(), 4), ' ');
  const std::string_view line = lines.Line(finding.line);
  out += std::string(gutter.size() - number.size(), ' ') + number + " | " + Printable(line) + "\n";
  out += gutter + " | " + palette.caret + CaretLine(line, finding.column, finding.endColumn) +
         palette.reset + "\n";
  for (const RelatedLocation& related : finding.related) {
    out += palette.bold + Location(file.path, related.line, related.column) + palette.reset +
           " " + palette.note + "note:" + palette.reset + " " + related.message + "\n";
  }
  for (const Fix& fix : finding.fixes) {
    out += palette.bold + Location(file.path, finding.line, finding.column) + palette.reset +
           " " + palette.note + "note:" + palette.reset + " " +
           (fix.certain ? "fix: " : "suggestion: ") + fix.title + "\n";
  }
}

Json EditJson(const TextEdit& edit) {
  return {{"line", edit.line}, {"column", edit.column}, {"endLine", edit.endLine},
          {"endColumn", edit.endColumn}, {"newText", edit.newText}};
}

Json FindingJson(const std::string& path, const Finding& finding) {
  Json object;
  object["file"] = path;
  object["line"] = finding.line;
  object["column"] = finding.column;
  object["endColumn"] = finding.endColumn;
  if (finding.gameLine != 0) object["gameLine"] = finding.gameLine;
  object["severity"] = SeverityName(finding.severity);
  object["rule"] = finding.rule;
  object["message"] = finding.message;
  if (!finding.suggestion.empty()) object["suggestion"] = finding.suggestion;
  if (!finding.related.empty()) {
    Json related = Json::array();
    for (const RelatedLocation& place : finding.related) {
      related.push_back({{"line", place.line}, {"column", place.column},
                         {"endColumn", place.endColumn}, {"message", place.message}});
    }
    object["related"] = std::move(related);
  }
  if (!finding.fixes.empty()) {
    Json fixes = Json::array();
    for (const Fix& fix : finding.fixes) {
      Json edits = Json::array();
      for (const TextEdit& edit : fix.edits) edits.push_back(EditJson(edit));
      fixes.push_back({{"title", fix.title}, {"certain", fix.certain}, {"edits", std::move(edits)}});
    }
    object["fixes"] = std::move(fixes);
  }
  return object;
}

// SARIF counts columns in characters: the byte column as a count of UTF-8 characters.
int32_t CharacterColumn(const EditorLines& lines, int32_t line, int32_t byteColumn) {
  const std::string_view text = lines.Line(line);
  int32_t column = 1;
  for (size_t i = 0; i + 1 < static_cast<size_t>(byteColumn) && i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
  }
  return column + std::max(0, byteColumn - 1 - static_cast<int32_t>(text.size()));
}

Json Region(const EditorLines& lines, int32_t line, int32_t column, int32_t endLine,
            int32_t endColumn) {
  Json region;
  region["startLine"] = line;
  region["startColumn"] = CharacterColumn(lines, line, column);
  if (endLine != line) region["endLine"] = endLine;
  region["endColumn"] = CharacterColumn(lines, endLine, endColumn);
  return region;
}

Json PhysicalLocation(const std::string& path, Json region) {
  return {{"artifactLocation", {{"uri", path}}}, {"region", std::move(region)}};
}

Json SarifResult(const LintedFile& file, const EditorLines& lines, const Finding& finding) {
  const auto rules = LintRules();
  const auto rule = std::find_if(rules.begin(), rules.end(),
                                 [&](const LintRule& r) { return finding.rule == r.id; });
  Json result;
  result["ruleId"] = finding.rule;
  if (rule != rules.end()) result["ruleIndex"] = rule - rules.begin();
  result["level"] = SeverityName(finding.severity);
  result["message"] = {{"text", MessageWithSuggestion(finding)}};
  result["locations"] = Json::array({{{"physicalLocation",
                                       PhysicalLocation(file.path,
                                                        Region(lines, finding.line, finding.column,
                                                               finding.line, finding.endColumn))}}});
  if (!finding.related.empty()) {
    Json related = Json::array();
    for (size_t i = 0; i < finding.related.size(); ++i) {
      const RelatedLocation& place = finding.related[i];
      related.push_back({{"id", i + 1},
                         {"physicalLocation",
                          PhysicalLocation(file.path, Region(lines, place.line, place.column,
                                                             place.line, place.endColumn))},
                         {"message", {{"text", place.message}}}});
    }
    result["relatedLocations"] = std::move(related);
  }
  if (!finding.fixes.empty()) {
    Json fixes = Json::array();
    for (const Fix& fix : finding.fixes) {
      // A byte-order mark lies before column 1, where no SARIF region reaches.
      const bool beforeLine = std::any_of(fix.edits.begin(), fix.edits.end(),
                                          [](const TextEdit& edit) { return edit.column < 1; });
      if (beforeLine) continue;
      Json replacements = Json::array();
      for (const TextEdit& edit : fix.edits) {
        replacements.push_back(
            {{"deletedRegion", Region(lines, edit.line, edit.column, edit.endLine, edit.endColumn)},
             {"insertedContent", {{"text", edit.newText}}}});
      }
      fixes.push_back(
          {{"description", {{"text", (fix.certain ? "" : "Suggestion: ") + fix.title}}},
           {"artifactChanges",
            Json::array({{{"artifactLocation", {{"uri", file.path}}},
                          {"replacements", std::move(replacements)}}})}});
    }
    if (!fixes.empty()) result["fixes"] = std::move(fixes);
  }
  return result;
}

Json SarifRules() {
  Json rules = Json::array();
  for (const LintRule& rule : LintRules()) {
    const std::string help = std::string(rule.why) + "\n\nExample:\n" + rule.example +
                             "\n\nInstead:\n" + rule.instead;
    rules.push_back({{"id", rule.id},
                     {"shortDescription", {{"text", rule.summary}}},
                     {"fullDescription", {{"text", rule.why}}},
                     {"help", {{"text", help}}},
                     {"defaultConfiguration", {{"level", SeverityName(rule.severity)}}}});
  }
  return rules;
}

std::string Sarif(const std::vector<LintedFile>& files) {
  Json results = Json::array();
  for (const LintedFile& file : files) {
    const EditorLines lines(file.bytes);
    for (const Finding& finding : file.findings) {
      results.push_back(SarifResult(file, lines, finding));
    }
  }
  Json driver = {{"name", "vantrel lint"}, {"version", kReleaseVersion}, {"rules", SarifRules()}};
  Json log;
  log["$schema"] = "https://json.schemastore.org/sarif-2.1.0.json";
  log["version"] = "2.1.0";
  log["runs"] = Json::array({{{"tool", {{"driver", std::move(driver)}}},
                              {"columnKind", "unicodeCodePoints"},
                              {"results", std::move(results)}}});
  return log.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

const char* SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

std::string FormatFindings(const std::vector<LintedFile>& files, FindingFormat format,
                           bool color) {
  if (format == FindingFormat::Sarif) return Sarif(files);
  if (format == FindingFormat::Json) {
    Json array = Json::array();
    for (const LintedFile& file : files) {
      for (const Finding& finding : file.findings) array.push_back(FindingJson(file.path, finding));
    }
    // A configuration may hold any bytes; invalid UTF-8 is replaced rather than thrown on.
    return array.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
  }
  const Palette palette = PaletteFor(color && format == FindingFormat::Text);
  std::string out;
  for (const LintedFile& file : files) {
    const EditorLines lines(file.bytes);
    for (const Finding& finding : file.findings) {
      AppendText(out, file, lines, finding, palette, format == FindingFormat::Text);
    }
  }
  return out;
}
