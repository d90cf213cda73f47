// The language server: one message in, the answers and notifications out.

#include "lsp/server.h"

#include <exception>
#include <utility>

#include "lsp/features.h"
#include "plugin/version.h"

namespace {

bool IsValidId(const Json& id) { return id.is_number_integer() || id.is_string(); }

// The encoding the client offers that the server prefers: UTF-8 when offered, else UTF-16,
// which every client must support.
PositionEncoding NegotiatedEncoding(const Json& params) {
  const Json* encodings = nullptr;
  if (params.contains("capabilities") && params["capabilities"].is_object()) {
    const Json& capabilities = params["capabilities"];
    if (capabilities.contains("general") && capabilities["general"].is_object() &&
        capabilities["general"].contains("positionEncodings")) {
      encodings = &capabilities["general"]["positionEncodings"];
    }
  }
  if (encodings == nullptr || !encodings->is_array()) return PositionEncoding::Utf16;
  for (const Json& encoding : *encodings) {
    if (encoding == "utf-8") return PositionEncoding::Utf8;
  }
  return PositionEncoding::Utf16;
}

const Json& Member(const Json& object, const char* name) {
  if (!object.is_object() || !object.contains(name)) {
    throw RequestError(ErrorCode::InvalidParams, std::string("'") + name + "' is missing");
  }
  return object[name];
}

std::string StringMember(const Json& object, const char* name) {
  const Json& member = Member(object, name);
  if (!member.is_string()) {
    throw RequestError(ErrorCode::InvalidParams, std::string("'") + name + "' must be a string");
  }
  return member.get<std::string>();
}

std::string UriOf(const Json& params) {
  return StringMember(Member(params, "textDocument"), "uri");
}

}  // namespace

void LspServer::HandleBadHeader() {
  RespondError(nullptr, ErrorCode::ParseError, "the message header has no valid Content-Length");
}

void LspServer::Handle(std::string_view content) {
  const Json message = Json::parse(content.begin(), content.end(), nullptr, false);
  if (message.is_discarded()) {
    RespondError(nullptr, ErrorCode::ParseError, "the message is not JSON");
    return;
  }
  if (!message.is_object() || !message.contains("method")) {
    // A response to a request of ours (the server sends none) is ignored; anything else is
    // no message of the protocol.
    const bool isResponse = message.is_object() && message.contains("id") &&
                            (message.contains("result") || message.contains("error"));
    if (!isResponse) RespondError(nullptr, ErrorCode::InvalidRequest, "not a request");
    return;
  }
  const Json& method = message["method"];
  const bool isRequest = message.contains("id");
  if (isRequest && !IsValidId(message["id"])) {
    RespondError(nullptr, ErrorCode::InvalidRequest, "the id must be a number or a string");
    return;
  }
  if (!method.is_string()) {
    if (isRequest) RespondError(message["id"], ErrorCode::InvalidRequest, "no method name");
    return;
  }
  // Referred to, not copied: a copy of deeply nested params would recurse as deep.
  static const Json kNoParams = Json::object();
  const Json& params = message.contains("params") ? message["params"] : kNoParams;
  if (isRequest) {
    Request(message["id"], method.get<std::string>(), params);
  } else {
    Notification(method.get<std::string>(), params);
  }
}

void LspServer::Request(const Json& id, const std::string& method, const Json& params) {
  static const std::map<std::string, Handler> kHandlers = {
      {"initialize", &LspServer::Initialize},
      {"shutdown", &LspServer::Shutdown},
      {"textDocument/hover", &LspServer::Hover},
      {"textDocument/completion", &LspServer::Completion},
      {"textDocument/definition", &LspServer::Definition},
      {"textDocument/references", &LspServer::References},
      {"textDocument/documentSymbol", &LspServer::DocumentSymbols},
      {"textDocument/prepareRename", &LspServer::PrepareRename},
      {"textDocument/rename", &LspServer::Rename},
      {"textDocument/codeAction", &LspServer::CodeActions},
  };
  if (shutdown_) {
    RespondError(id, ErrorCode::InvalidRequest, "the server is shutting down");
    return;
  }
  if (!initialized_ && method != "initialize") {
    RespondError(id, ErrorCode::ServerNotInitialized, "initialize comes first");
    return;
  }
  const auto handler = kHandlers.find(method);
  if (handler == kHandlers.end()) {
    RespondError(id, ErrorCode::MethodNotFound, "no method '" + method + "'");
    return;
  }
  try {
    Respond(id, (this->*handler->second)(params));
  } catch (const RequestError& error) {
    RespondError(id, error.code, error.what());
  } catch (const Json::exception& error) {
    RespondError(id, ErrorCode::InvalidParams, error.what());
  } catch (const std::exception& error) {
    RespondError(id, ErrorCode::InternalError, error.what());
  }
}

void LspServer::Notification(const std::string& method, const Json& params) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shutdown_) return;
  // A notification has no answer, so one that cannot be understood is dropped.
  try {
    if (method == "textDocument/didOpen") DidOpen(params);
    if (method == "textDocument/didChange") DidChange(params);
    if (method == "textDocument/didClose") DidClose(params);
  } catch (const std::exception&) {
  }
}

void LspServer::Respond(const Json& id, Json result) {
  send_(Serialize({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void LspServer::RespondError(const Json& id, int code, const std::string& message) {
  send_(Serialize(
      {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void LspServer::Notify(const std::string& method, Json params) {
  send_(Serialize({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

Json LspServer::Initialize(const Json& params) {
  if (initialized_) throw RequestError(ErrorCode::InvalidRequest, "already initialized");
  initialized_ = true;
  encoding_ = NegotiatedEncoding(params);
  return {
      {"capabilities",
       {
           {"positionEncoding", encoding_ == PositionEncoding::Utf8 ? "utf-8" : "utf-16"},
           {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
           {"hoverProvider", true},
           {"completionProvider", {{"triggerCharacters", {"+", "-", "!", "("}}}},
           {"definitionProvider", true},
           {"referencesProvider", true},
           {"documentSymbolProvider", true},
           {"renameProvider", {{"prepareProvider", true}}},
           {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
       }},
      {"serverInfo", {{"name", "vantrel"}, {"version", kReleaseVersion}}},
  };
}

Json LspServer::Shutdown(const Json&) {
  shutdown_ = true;
  return nullptr;
}

void LspServer::DidOpen(const Json& params) {
  const Json& item = Member(params, "textDocument");
  const std::string uri = StringMember(item, "uri");
  std::string text = StringMember(item, "text");
  const int64_t version = Member(item, "version").get<int64_t>();
  OpenDocument& document = documents_[uri];
  document.text = TextDocument(std::move(text));
  document.version = version;
  Analyze(uri, document);
}

void LspServer::DidChange(const Json& params) {
  const auto found = documents_.find(UriOf(params));
  if (found == documents_.end()) return;
  OpenDocument& document = found->second;
  const Json& changes = Member(params, "contentChanges");
  if (!changes.is_array()) throw RequestError(ErrorCode::InvalidParams, "no contentChanges");
  const Json& item = Member(params, "textDocument");
  if (item.contains("version") && item["version"].is_number()) {
    document.version = item["version"].get<int64_t>();
  }
  try {
    // Applied in order, each to the text the one before left.
    for (const Json& change : changes) {
      const std::string text = StringMember(change, "text");
      if (change.contains("range")) {
        size_t begin = 0, end = 0;
        RangeParam(change["range"], document.text, encoding_, begin, end);
        document.text.Replace(begin, end, text);
      } else {
        document.text = TextDocument(text);
      }
    }
  } catch (const std::exception&) {
    // What was applied before a malformed change is the text now: its analysis must follow.
    Analyze(found->first, document);
    throw;
  }
  Analyze(found->first, document);
}

void LspServer::DidClose(const Json& params) {
  const std::string uri = UriOf(params);
  if (documents_.erase(uri) == 0) return;
  // What the client shows for a closed document is no longer kept up to date.
  Notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", Json::array()}});
}

void LspServer::Analyze(const std::string& uri, OpenDocument& document) {
  document.analysis.reset();  // no analysis of another text, should this one fail
  document.analysis = AnalyzeText(document.text.Text());
  Notify("textDocument/publishDiagnostics",
         {{"uri", uri},
          {"version", document.version},
          {"diagnostics", DiagnosticsOf(document, uri, encoding_)}});
}

const OpenDocument& LspServer::DocumentOf(const Json& params) const {
  const std::string uri = UriOf(params);
  const auto found = documents_.find(uri);
  // A document whose analysis failed (out of memory) is as good as closed.
  if (found == documents_.end() || !found->second.analysis) {
    throw RequestError(ErrorCode::RequestFailed, "the document " + uri + " is not open");
  }
  return found->second;
}

size_t LspServer::OffsetOf(const OpenDocument& document, const Json& params) const {
  return document.text.OffsetOf(PositionParam(Member(params, "position")), encoding_);
}

Json LspServer::Hover(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  return HoverAt(document, OffsetOf(document, params), encoding_);
}

Json LspServer::Completion(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  return CompletionAt(document, OffsetOf(document, params), encoding_);
}

Json LspServer::Definition(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  return DefinitionAt(document, UriOf(params), OffsetOf(document, params), encoding_);
}

Json LspServer::References(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  const Json* context = params.contains("context") ? &params["context"] : nullptr;
  const bool withDeclaration =
      context == nullptr || !context->is_object() || context->value("includeDeclaration", true);
  return ReferencesAt(document, UriOf(params), OffsetOf(document, params), withDeclaration,
                      encoding_);
}

Json LspServer::DocumentSymbols(const Json& params) {
  return DocumentSymbolsOf(DocumentOf(params), encoding_);
}

Json LspServer::PrepareRename(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  return PrepareRenameAt(document, OffsetOf(document, params), encoding_);
}

Json LspServer::Rename(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  return RenameAt(document, UriOf(params), OffsetOf(document, params),
                  StringMember(params, "newName"), encoding_);
}

Json LspServer::CodeActions(const Json& params) {
  const OpenDocument& document = DocumentOf(params);
  size_t begin = 0, end = 0;
  RangeParam(Member(params, "range"), document.text, encoding_, begin, end);
  return CodeActionsIn(document, UriOf(params), begin, end, encoding_);
}
