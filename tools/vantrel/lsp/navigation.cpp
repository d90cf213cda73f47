// Profiles as symbols: go to a profile's header, find what names it, the outline, and renaming
// a profile with every command that names it.
#include <string>

#include "base/text.h"
#include "lsp/features.h"
#include "lsp/profile_words.h"

namespace {

namespace SymbolKind {
enum : int { Module = 2, Class = 5, Event = 24 };
}

Json Location(const OpenDocument& document, const std::string& uri, size_t begin, size_t end,
              PositionEncoding encoding) {
  return {{"uri", uri}, {"range", RangeJson(document.text, begin, end, encoding)}};
}

// The stored profile a header or a command names at `offset`, or null.
const Block* ProfileAt(const OpenDocument& document, size_t offset) {
  const Part* part = document.analysis->PartAt(offset);
  if (part == nullptr ||
      (part->kind != PartKind::ProfileName && part->kind != PartKind::ProfileReference)) {
    return nullptr;
  }
  const Block* block = BlockOfPart(*document.analysis, *part);
  return block != nullptr && block->profile >= 0 && block->type != ProfileType::Default ? block
                                                                                        : nullptr;
}

int32_t IndexOf(const Analysis& analysis, const Block& block) {
  return static_cast<int32_t>(&block - analysis.blocks.data());
}

// Whether `part` is the same name as `of`: a reference to the same profile, or the same value
// or command.
bool SameName(const Analysis& analysis, const Part& part, const Part& of) {
  switch (of.kind) {
    case PartKind::ProfileName:
    case PartKind::ProfileReference:
      return (part.kind == PartKind::ProfileName || part.kind == PartKind::ProfileReference) &&
             part.block == of.block && BlockOfPart(analysis, of) != nullptr;
    case PartKind::ValueName:
      return part.kind == PartKind::ValueName && part.value == of.value;
    case PartKind::CommandName:
      return part.kind == PartKind::CommandName && part.command == of.command;
    default:
      return false;
  }
}

// A profile name as a command must write it: between double quotes when it has blanks.
std::string ReferenceText(const std::string& name) {
  return name.find_first_of(" \t") == std::string::npos ? name : "\"" + name + "\"";
}

void CheckNewName(const Analysis& analysis, const Block& renamed, const std::string& name) {
  if (name.empty() || name.find_first_of("\"\r\n") != std::string::npos ||
      Trim(name).size() != name.size()) {
    throw RequestError(ErrorCode::RequestFailed,
                       "a profile name that commands can name has no double quote, no line "
                       "break and no blank at either end");
  }
  for (const Block& block : analysis.blocks) {
    if (&block == &renamed || block.profile < 0 || !EqualIgnoringCase(block.name, name)) continue;
    throw RequestError(ErrorCode::RequestFailed,
                       "the profile at line " + std::to_string(block.gameLine) + " is named '" +
                           block.name + "': commands would reach only the first of the two");
  }
}

}  // namespace

Json DefinitionAt(const OpenDocument& document, const std::string& uri, size_t offset,
                  PositionEncoding encoding) {
  const Block* block = ProfileAt(document, offset);
  if (block == nullptr) return nullptr;
  return Location(document, uri, block->nameBegin, block->nameEnd, encoding);
}

Json ReferencesAt(const OpenDocument& document, const std::string& uri, size_t offset,
                  bool withDeclaration, PositionEncoding encoding) {
  const Analysis& analysis = *document.analysis;
  const Part* at = analysis.PartAt(offset);
  Json locations = Json::array();
  if (at == nullptr) return locations;
  for (const Part& part : analysis.parts) {
    if (!SameName(analysis, part, *at)) continue;
    if (part.kind == PartKind::ProfileName && !withDeclaration) continue;
    locations.push_back(Location(document, uri, part.begin, part.end, encoding));
  }
  return locations;
}

Json DocumentSymbolsOf(const OpenDocument& document, PositionEncoding encoding) {
  Json symbols = Json::array();
  for (const Block& block : document.analysis->blocks) {
    if (block.begin == block.end) continue;  // no default block before the first header
    const bool isDefault = block.type == ProfileType::Default;
    const int kind = isDefault                              ? SymbolKind::Module
                     : block.type == ProfileType::Exclusive ? SymbolKind::Class
                                                            : SymbolKind::Event;
    // The block runs to the next header; its range ends with its last line's text.
    size_t end = block.end;
    const std::string& text = document.text.Text();
    while (end > block.begin && IsBlank(text[end - 1])) --end;
    const size_t nameBegin = isDefault ? block.begin : block.nameBegin;
    const size_t nameEnd = isDefault ? block.begin : block.nameEnd;
    symbols.push_back(
        {{"name", block.name.empty() ? "(no name)" : block.name},
         {"detail", ProfileKindWords(block)},
         {"kind", kind},
         {"range", RangeJson(document.text, block.begin, std::max(end, nameEnd), encoding)},
         {"selectionRange", RangeJson(document.text, nameBegin, nameEnd, encoding)}});
  }
  return symbols;
}

Json PrepareRenameAt(const OpenDocument& document, size_t offset, PositionEncoding encoding) {
  const Block* block = ProfileAt(document, offset);
  if (block == nullptr) return nullptr;
  const Part* part = document.analysis->PartAt(offset);
  return {{"range", RangeJson(document.text, part->begin, part->end, encoding)},
          {"placeholder", block->name}};
}

Json RenameAt(const OpenDocument& document, const std::string& uri, size_t offset,
              const std::string& newName, PositionEncoding encoding) {
  const Analysis& analysis = *document.analysis;
  const Block* block = ProfileAt(document, offset);
  if (block == nullptr) throw RequestError(ErrorCode::RequestFailed, "no profile name here");
  CheckNewName(analysis, *block, newName);
  const std::string& text = document.text.Text();
  const int32_t index = IndexOf(analysis, *block);
  Json edits = Json::array();
  for (const Part& part : analysis.parts) {
    const bool header = part.kind == PartKind::ProfileName;
    if ((!header && part.kind != PartKind::ProfileReference) || part.block != index) continue;
    // A quoted reference keeps its quotes; a bare one gets them when the name needs them.
    const bool quoted = part.begin > 0 && text[part.begin - 1] == '"';
    const std::string written = header || quoted ? newName : ReferenceText(newName);
    edits.push_back({{"range", RangeJson(document.text, part.begin, part.end, encoding)},
                     {"newText", written}});
  }
  return {{"changes", {{uri, std::move(edits)}}}};
}
