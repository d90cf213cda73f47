#pragma once
// What the server answers, each from an open document and its analysis. Offsets are bytes of
// the document's text; the JSON is the protocol's, with positions in `encoding`.

#include <string>

#include "lsp/open_document.h"
#include "lsp/protocol.h"

class EditorLines;
struct Finding;

Json DiagnosticsOf(const OpenDocument& document, const std::string& uri, PositionEncoding encoding);
// One finding as a diagnostic, and the byte range it covers; `lines` are the document's.
Json DiagnosticOf(const OpenDocument& document, const EditorLines& lines, const std::string& uri,
                  const Finding& finding, PositionEncoding encoding);
void FindingRange(const EditorLines& lines, const Finding& finding, size_t& begin, size_t& end);

Json HoverAt(const OpenDocument& document, size_t offset, PositionEncoding encoding);
Json CompletionAt(const OpenDocument& document, size_t offset, PositionEncoding encoding);
Json DefinitionAt(const OpenDocument& document, const std::string& uri, size_t offset,
                  PositionEncoding encoding);
Json ReferencesAt(const OpenDocument& document, const std::string& uri, size_t offset,
                  bool withDeclaration, PositionEncoding encoding);
Json DocumentSymbolsOf(const OpenDocument& document, PositionEncoding encoding);
Json PrepareRenameAt(const OpenDocument& document, size_t offset, PositionEncoding encoding);
Json RenameAt(const OpenDocument& document, const std::string& uri, size_t offset,
              const std::string& newName, PositionEncoding encoding);
Json CodeActionsIn(const OpenDocument& document, const std::string& uri, size_t begin, size_t end,
                   PositionEncoding encoding);
