// Framing: what a client sends, what a broken client sends, and what the server writes.
#include "lsp/transport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(Transport, ReadsMessagesAndRecoversFromBrokenHeaders) {
  std::istringstream in(
      "Content-Length: 2\r\n\r\n{}"
      "content-length:3\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n[1]"
      "X-Other: 1\r\n\r\n"                        // no length: its header is read past
      "Content-Length: 12x\r\n\r\n"               // not a number
      "Content-Length: 4\n\nnull"                 // LF alone ends header lines too
      "Content-Length: 99999999999\r\n\r\nabc");  // above the limit: skipped
  const std::pair<ReadResult, const char*> expected[] = {
      {ReadResult::Message, "{}"}, {ReadResult::Message, "[1]"},  {ReadResult::BadHeader, ""},
      {ReadResult::BadHeader, ""}, {ReadResult::Message, "null"}, {ReadResult::End, ""},
  };
  std::string content;
  for (const auto& [result, text] : expected) {
    content.clear();
    EXPECT_EQ(ReadMessage(in, content), result);
    if (result == ReadResult::Message) {
      EXPECT_EQ(content, text);
    }
  }
}

TEST(Transport, AStreamEndingInsideAMessageEnds) {
  std::istringstream in("Content-Length: 10\r\n\r\n{\"a\"");
  std::string content;
  EXPECT_EQ(ReadMessage(in, content), ReadResult::End);
}

TEST(Transport, WritesTheLengthInBytes) {
  std::ostringstream out;
  WriteMessage(out, "\"\xC3\xA9\"");
  EXPECT_EQ(out.str(), "Content-Length: 4\r\n\r\n\"\xC3\xA9\"");
}

}  // namespace
