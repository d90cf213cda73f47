// The protocol's base layer: headers and Content-Length framing.

#include "lsp/transport.h"

#include <cctype>
#include <cstdint>

#include "base/text.h"

namespace {

// Header lines are short; a longer one is cut there and the rest of it skipped.
constexpr size_t kMaxHeaderLine = 1024;

// One header line without its line end (LF or CR LF); false at the end of the stream.
bool ReadHeaderLine(std::istream& in, std::string& line) {
  line.clear();
  int c = 0;
  while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n') {
    if (line.size() < kMaxHeaderLine) line += static_cast<char>(c);
  }
  if (c == std::char_traits<char>::eof() && line.empty()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// "Content-Length: 123" (the name ignoring case) into `length`; false for any other line, or
// a number that is not one.
bool ContentLength(std::string_view line, uint64_t& length) {
  constexpr std::string_view kName = "content-length:";
  if (line.size() < kName.size() || !EqualIgnoringCase(line.substr(0, kName.size()), kName)) {
    return false;
  }
  const std::string_view digits = Trim(line.substr(kName.size()));
  if (digits.empty() || digits.size() > 18) return false;
  length = 0;
  for (const char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    length = length * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

}  // namespace

ReadResult ReadMessage(std::istream& in, std::string& content) {
  std::string line;
  uint64_t length = 0;
  bool hasLength = false;
  bool sawHeader = false;
  while (true) {
    if (!ReadHeaderLine(in, line)) return ReadResult::End;
    if (line.empty()) {
      if (sawHeader) break;
      continue;  // blank lines between messages
    }
    sawHeader = true;
    uint64_t parsed = 0;
    if (ContentLength(line, parsed)) {
      length = parsed;
      hasLength = true;
    }
  }
  if (!hasLength) return ReadResult::BadHeader;
  if (length > kMaxContentBytes) {
    in.ignore(static_cast<std::streamsize>(length));
    return in.eof() ? ReadResult::End : ReadResult::BadHeader;
  }
  content.resize(static_cast<size_t>(length));
  in.read(content.data(), static_cast<std::streamsize>(length));
  if (static_cast<uint64_t>(in.gcount()) != length) return ReadResult::End;
  return ReadResult::Message;
}

void WriteMessage(std::ostream& out, std::string_view content) {
  out << "Content-Length: " << content.size() << "\r\n\r\n" << content;
  out.flush();
}
