// The protocol's shared JSON shapes and error codes.

#include "lsp/protocol.h"

TextPosition PositionParam(const Json& position) {
  if (!position.is_object() || !position.contains("line") || !position.contains("character") ||
      !position["line"].is_number() || !position["character"].is_number()) {
    throw RequestError(ErrorCode::InvalidParams, "a position needs line and character numbers");
  }
  return {position["line"].get<int64_t>(), position["character"].get<int64_t>()};
}

Json PositionJson(TextPosition position) {
  return {{"line", position.line}, {"character", position.character}};
}

Json RangeJson(const TextDocument& document, size_t begin, size_t end, PositionEncoding encoding) {
  return {{"start", PositionJson(document.PositionOf(begin, encoding))},
          {"end", PositionJson(document.PositionOf(end, encoding))}};
}

void RangeParam(const Json& range, const TextDocument& document, PositionEncoding encoding,
                size_t& begin, size_t& end) {
  if (!range.is_object() || !range.contains("start") || !range.contains("end")) {
    throw RequestError(ErrorCode::InvalidParams, "a range needs start and end");
  }
  begin = document.OffsetOf(PositionParam(range["start"]), encoding);
  end = document.OffsetOf(PositionParam(range["end"]), encoding);
  if (end < begin) std::swap(begin, end);
}

Json Markdown(const std::string& text) { return {{"kind", "markdown"}, {"value", text}}; }

std::string Serialize(const Json& message) {
  return message.dump(-1, ' ', false, Json::error_handler_t::replace);
}
