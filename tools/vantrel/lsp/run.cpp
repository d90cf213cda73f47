// vantrel lsp: the language server on standard input and output.
#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "commands.h"
#include "lsp/server.h"
#include "lsp/transport.h"

int RunLsp() {
#ifdef _WIN32
  // Content-Length counts bytes: no CR may be added or dropped on the way.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  LspServer server([](const std::string& content) { WriteMessage(std::cout, content); });
  std::string content;
  while (!server.Exited()) {
    const ReadResult result = ReadMessage(std::cin, content);
    if (result == ReadResult::End) return 1;  // the client went away without exit
    if (result == ReadResult::BadHeader) {
      server.HandleBadHeader();
    } else {
      server.Handle(content);
    }
  }
  return server.ExitStatus();
}
