#pragma once
// A document the client has opened: its text and what the loader and lint made of it.

#include <cstdint>
#include <memory>

#include "lsp/analysis.h"
#include "lsp/text_document.h"

struct OpenDocument {
  TextDocument text;
  int64_t version = 0;
  std::unique_ptr<Analysis> analysis;  // of the current text
};
