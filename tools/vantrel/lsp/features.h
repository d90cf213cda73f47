#pragma once
// What the server answers, each from an open document and its analysis. Offsets are bytes of
// the document's text; the JSON is the protocol's, with positions in `encoding`.

#include <string>

#include "lsp/open_document.h"
#include "lsp/protocol.h"

Json DiagnosticsOf(const OpenDocument& document, PositionEncoding encoding);
