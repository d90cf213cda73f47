#pragma once
// The protocol's base layer: each message is a header of "Name: value" lines, a blank line,
// then as many bytes of JSON as its Content-Length says.

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

enum class ReadResult {
  Message,    // `content` holds one message's bytes
  End,        // the stream ended (between messages or inside one)
  BadHeader,  // the header had no usable Content-Length; its lines were read past
};

// Larger than any configuration an editor would send; the game reads no more either.
inline constexpr size_t kMaxContentBytes = size_t{64} << 20;

// Reads the next message. A Content-Length above kMaxContentBytes reads as BadHeader after its
// content is skipped, so the message after it is read as usual.
ReadResult ReadMessage(std::istream& in, std::string& content);

void WriteMessage(std::ostream& out, std::string_view content);
