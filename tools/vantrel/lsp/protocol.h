#pragma once
// JSON shapes and error codes of the protocol that every request handler shares.

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "lsp/text_document.h"

using Json = nlohmann::json;

namespace ErrorCode {
enum : int {
  ParseError = -32700,
  InvalidRequest = -32600,
  MethodNotFound = -32601,
  InvalidParams = -32602,
  InternalError = -32603,
  ServerNotInitialized = -32002,
  RequestFailed = -32803,
};
}

// Thrown by a handler to answer its request with that error.
struct RequestError : std::runtime_error {
  RequestError(int code, const std::string& message) : std::runtime_error(message), code(code) {}
  int code;
};

// {line, character} of a request's params; InvalidParams when it is not one.
TextPosition PositionParam(const Json& position);
Json PositionJson(TextPosition position);
// The LSP range of the bytes [begin, end) of `document`.
Json RangeJson(const TextDocument& document, size_t begin, size_t end, PositionEncoding encoding);
// Byte offsets of an LSP range; InvalidParams when it is not one.
void RangeParam(const Json& range, const TextDocument& document, PositionEncoding encoding,
                size_t& begin, size_t& end);

// Markdown as hover and completion documentation show it.
Json Markdown(const std::string& text);

// Text for the client; bytes that are not UTF-8 are replaced rather than thrown on.
std::string Serialize(const Json& message);
