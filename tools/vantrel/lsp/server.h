#pragma once
// The language server: one message's content in, what to send back out, in order. It holds
// the open documents and their analyses; it never throws and never waits.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "lsp/open_document.h"
#include "lsp/protocol.h"

class LspServer {
 public:
  using Sender = std::function<void(const std::string& content)>;
  explicit LspServer(Sender send) : send_(std::move(send)) {}

  void Handle(std::string_view content);
  // A message whose header could not be read: answered as unparsable.
  void HandleBadHeader();

  bool Exited() const { return exited_; }
  // 0 after shutdown then exit, 1 for an exit without shutdown.
  int ExitStatus() const { return shutdown_ ? 0 : 1; }

 private:
  using Handler = Json (LspServer::*)(const Json& params);

  void Request(const Json& id, const std::string& method, const Json& params);
  void Notification(const std::string& method, const Json& params);
  void Respond(const Json& id, Json result);
  void RespondError(const Json& id, int code, const std::string& message);
  void Notify(const std::string& method, Json params);

  // Requests.
  Json Initialize(const Json& params);
  Json Shutdown(const Json& params);
  Json Hover(const Json& params);
  Json Completion(const Json& params);
  Json Definition(const Json& params);
  Json References(const Json& params);
  Json DocumentSymbols(const Json& params);
  Json PrepareRename(const Json& params);
  Json Rename(const Json& params);
  Json CodeActions(const Json& params);

  // Notifications.
  void DidOpen(const Json& params);
  void DidChange(const Json& params);
  void DidClose(const Json& params);

  // The open document a request names; RequestFailed when it is not open.
  const OpenDocument& DocumentOf(const Json& params) const;
  // The byte offset of the request's position in that document.
  size_t OffsetOf(const OpenDocument& document, const Json& params) const;
  void Analyze(const std::string& uri, OpenDocument& document);

  Sender send_;
  std::map<std::string, OpenDocument> documents_;
  PositionEncoding encoding_ = PositionEncoding::Utf16;
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
};
