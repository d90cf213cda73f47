// The server at the protocol level: errors for what is not a request, the encoding it agrees
// on, incremental edits in UTF-16 across characters beyond ASCII, and the end of a session.
#include "lsp/server.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ServerTest : public ::testing::Test {
 protected:
  void Send(const Json& message) { server.Handle(message.dump()); }

  Json Request(int id, const std::string& method, const Json& params = Json::object()) {
    sent.clear();
    Send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
    for (const Json& message : sent) {
      if (message.contains("id") && message["id"] == id) return message;
    }
    ADD_FAILURE() << "no answer to " << method;
    return Json::object();
  }

  void Notify(const std::string& method, const Json& params) {
    sent.clear();
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }

  Json Initialize(const Json& capabilities = Json::object()) {
    return Request(1, "initialize", {{"capabilities", capabilities}})["result"];
  }

  // The diagnostics of the last publication among the messages just sent.
  Json Diagnostics() {
    for (auto it = sent.rbegin(); it != sent.rend(); ++it) {
      if ((*it)["method"] == "textDocument/publishDiagnostics")
        return (*it)["params"]["diagnostics"];
    }
    ADD_FAILURE() << "no diagnostics published";
    return Json::array();
  }

  static Json Range(int line, int start, int end) {
    return {{"start", {{"line", line}, {"character", start}}},
            {"end", {{"line", line}, {"character", end}}}};
  }

  std::vector<Json> sent;
  LspServer server{[this](const std::string& content) { sent.push_back(Json::parse(content)); }};
};

TEST_F(ServerTest, WhatIsNotARequestGetsAnError) {
  EXPECT_EQ(Request(7, "textDocument/hover")["error"]["code"], -32002);  // before initialize
  Initialize();
  const std::pair<std::string, int> malformed[] = {
      {"{\"jsonrpc\": \"2.0\", \"id\": 3", -32700},
      {"\xFF\xFE", -32700},
      {"[]", -32600},
      {"{\"jsonrpc\": \"2.0\", \"id\": {}, \"method\": \"shutdown\"}", -32600},
      {"{\"jsonrpc\": \"2.0\", \"id\": 4, \"method\": 5}", -32600},
      {"17", -32600},
  };
  for (const auto& [content, code] : malformed) {
    sent.clear();
    server.Handle(content);
    ASSERT_EQ(sent.size(), 1u) << content;
    EXPECT_EQ(sent[0]["error"]["code"], code) << content;
  }
  sent.clear();
  server.HandleBadHeader();
  EXPECT_EQ(sent.at(0)["error"]["code"], -32700);

  const Json unknown = Request(8, "workspace/unknownThing");
  EXPECT_EQ(unknown["error"]["code"], -32601);
  EXPECT_EQ(Request(9, "initialize")["error"]["code"], -32600);  // only once
  // Notifications have no answer, whatever they hold; responses to the server are ignored.
  for (const char* content : {"{\"jsonrpc\": \"2.0\", \"method\": \"$/unknown\"}",
                              "{\"jsonrpc\": \"2.0\", \"method\": \"textDocument/didOpen\", "
                              "\"params\": {\"textDocument\": {\"uri\": 3}}}",
                              "{\"jsonrpc\": \"2.0\", \"method\": \"textDocument/didChange\", "
                              "\"params\": 12}",
                              "{\"jsonrpc\": \"2.0\", \"id\": 5, \"result\": null}"}) {
    sent.clear();
    server.Handle(content);
    EXPECT_TRUE(sent.empty()) << content;
  }
}

TEST_F(ServerTest, AgreesOnUtf8OnlyWhenOffered) {
  EXPECT_EQ(
      Initialize(
          {{"general",
            {{"positionEncodings", {"utf-16", "utf-8"}}}}})["capabilities"]["positionEncoding"],
      "utf-8");
  std::vector<Json> answers;
  LspServer plain([&](const std::string& content) { answers.push_back(Json::parse(content)); });
  plain.Handle(R"({"jsonrpc": "2.0", "id": 1, "method": "initialize",
                   "params": {"capabilities": {"general": {"positionEncodings": ["utf-32"]}}}})");
  EXPECT_EQ(answers.at(0)["result"]["capabilities"]["positionEncoding"], "utf-16");
}

TEST_F(ServerTest, IncrementalEditsCountUtf16CodeUnits) {
  Initialize();
  const std::string uri = "file:///Vantrel.txt";
  // Reset takes the whole rest of its line as a value name, so the message quotes the text.
  Notify("textDocument/didOpen",
         {{"textDocument",
           {{"uri", uri},
            {"version", 1},
            {"text", "[A]\n(bSneaking)\nReset fFOV \xC3\xA4\xF0\x9F\x98\x80z\n"}}}});
  Json diagnostics = Diagnostics();
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_EQ(diagnostics[0]["message"], "Unknown value 'fFOV \xC3\xA4\xF0\x9F\x98\x80z'!");
  // At the value name, which for Reset is the whole rest of the line.
  EXPECT_EQ(diagnostics[0]["range"], Range(2, 6, 15));

  // "z" sits after a 2-unit character: UTF-16 character 14, byte 17.
  Notify("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 2}}},
                                    {"contentChanges",
                                     {{{"range", Range(2, 14, 15)}, {"text", "yy"}},
                                      {{"range", Range(2, 11, 12)}, {"text", ""}}}}});
  diagnostics = Diagnostics();
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_EQ(diagnostics[0]["message"], "Unknown value 'fFOV \xF0\x9F\x98\x80yy'!");

  // Removing the rest clears the error.
  Notify("textDocument/didChange",
         {{"textDocument", {{"uri", uri}, {"version", 3}}},
          {"contentChanges", {{{"range", Range(2, 10, 99)}, {"text", ""}}}}});
  EXPECT_TRUE(Diagnostics().empty());
  // A whole-text change replaces everything.
  Notify("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 4}}},
                                    {"contentChanges", {{{"text", "Clear fNothing\n"}}}}});
  EXPECT_EQ(Diagnostics().at(0)["range"]["start"]["line"], 0);
  Notify("textDocument/didClose", {{"textDocument", {{"uri", uri}}}});
  EXPECT_TRUE(Diagnostics().empty());
}

// What Neovim's client does not reach: positions in UTF-8, a key and a literal under the mouse,
// references without the declaration, a rename that would make two profiles of one name.
TEST_F(ServerTest, FeaturesAnswerInUtf8) {
  Initialize({{"general", {{"positionEncodings", {"utf-8"}}}}});
  const Json document = {{"uri", "file:///V.txt"}};
  Notify("textDocument/didOpen",
         {{"textDocument",
           {{"uri", "file:///V.txt"},
            {"version", 1},
            {"text",
             "[D\xC3\xA4" "cher]\n(bSneaking)\n\n[Zoom in]\n(bWeaponOut)\n"
             "BindKey -112 5 D\xC3\xA4" "cher 2\nSetProfile \"Zoom in\"\nSet bHeadtrack yes\n"}}}});
  const auto at = [&](int line, int character) {
    return Json{{"textDocument", document},
                {"position", {{"line", line}, {"character", character}}}};
  };
  EXPECT_EQ(Request(2, "textDocument/definition", at(5, 16))["result"]["range"], Range(0, 1, 8));
  const std::string key = Request(3, "textDocument/hover", at(5, 9))["result"]["contents"]["value"];
  EXPECT_NE(key.find("F1"), std::string::npos) << key;
  EXPECT_NE(key.find("released"), std::string::npos) << key;
  EXPECT_NE(key.find("Ctrl+Alt"), std::string::npos) << key;
  const std::string literal =
      Request(4, "textDocument/hover", at(7, 16))["result"]["contents"]["value"];
  EXPECT_NE(literal.find("**true**"), std::string::npos) << literal;

  Json params = at(0, 2);
  params["context"] = {{"includeDeclaration", false}};
  const Json references = Request(5, "textDocument/references", params)["result"];
  ASSERT_EQ(references.size(), 1u);
  EXPECT_EQ(references[0]["range"], Range(5, 15, 22));

  params = at(3, 2);
  params["newName"] = "Close up";
  const Json edits =
      Request(6, "textDocument/rename", params)["result"]["changes"]["file:///V.txt"];
  EXPECT_EQ(edits, Json({{{"range", Range(3, 1, 8)}, {"newText", "Close up"}},
                         {{"range", Range(6, 12, 19)}, {"newText", "Close up"}}}));
  params = at(0, 2);
  params["newName"] = "zoom IN";
  EXPECT_EQ(Request(7, "textDocument/rename", params)["error"]["code"], -32803);
  EXPECT_TRUE(Request(8, "textDocument/prepareRename", at(1, 3))["result"].is_null());

  // The profile slot of BindKey offers the profiles, a name with a blank between quotes.
  const Json items = Request(9, "textDocument/completion", at(5, 15))["result"]["items"];
  std::vector<std::string> inserted;
  for (const Json& item : items) inserted.push_back(item["textEdit"]["newText"]);
  EXPECT_EQ(inserted, std::vector<std::string>({"D\xC3\xA4" "cher", "\"Zoom in\""}));

  EXPECT_EQ(Request(10, "textDocument/hover",
                    {{"textDocument", document}, {"position", 3}})["error"]["code"],
            -32602);
  Json closed = at(0, 0);
  closed["textDocument"]["uri"] = "file:///not-open.txt";
  EXPECT_EQ(Request(11, "textDocument/hover", closed)["error"]["code"], -32803);
}

TEST_F(ServerTest, ShutdownThenExitEndsCleanly) {
  Initialize();
  EXPECT_TRUE(Request(2, "shutdown")["result"].is_null());
  EXPECT_EQ(Request(3, "shutdown")["error"]["code"], -32600);
  EXPECT_FALSE(server.Exited());
  Notify("exit", Json::object());
  EXPECT_TRUE(server.Exited());
  EXPECT_EQ(server.ExitStatus(), 0);

  LspServer abrupt([](const std::string&) {});
  abrupt.Handle(R"({"jsonrpc": "2.0", "method": "exit"})");
  EXPECT_TRUE(abrupt.Exited());
  EXPECT_EQ(abrupt.ExitStatus(), 1);
}

}  // namespace
