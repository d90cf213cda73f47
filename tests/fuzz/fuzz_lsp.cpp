// libFuzzer target: the language server's message handler. The input is a series of message
// contents separated by NUL bytes, handled in order after an initialize and the opening of a
// configuration, so that requests find a document to work on; the same bytes are also read as
// a framed stream. Whatever comes, the server answers without crashing, hanging or leaking.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "lsp/server.h"
#include "lsp/transport.h"

namespace {

// A configuration with an error, a warning, a key binding, a quoted profile name and a literal.
std::string OpenMessage() {
  const Json text =
      "!Set fFOVV 75\n!BindKey 112 1 \"Kill move\" 2\n[Kill move]\n(bKillMove == yes)\n"
      "SetTween fFOV 80 0.5\n{Over}\n(Perk >= 0x58F6E)\nSetProfile kill MOVE\n";
  return Json({{"jsonrpc", "2.0"},
               {"method", "textDocument/didOpen"},
               {"params",
                {{"textDocument", {{"uri", "file:///V.txt"}, {"version", 1}, {"text", text}}}}}})
      .dump();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  LspServer server([](const std::string&) {});
  server.Handle(R"({"jsonrpc": "2.0", "id": 0, "method": "initialize", "params": {}})");
  server.Handle(OpenMessage());
  size_t at = 0;
  while (at <= input.size() && !server.Exited()) {
    const size_t end = std::min(input.find('\0', at), input.size());
    server.Handle(input.substr(at, end - at));
    at = end + 1;
  }

  LspServer framed([](const std::string&) {});
  std::istringstream stream{std::string(input)};
  std::string content;
  for (ReadResult result;
       (result = ReadMessage(stream, content)) != ReadResult::End && !framed.Exited();) {
    if (result == ReadResult::BadHeader) {
      framed.HandleBadHeader();
    } else {
      framed.Handle(content);
    }
  }
  return 0;
}
