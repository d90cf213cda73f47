// One measurement per run, for bench/instructions.sh: the program sets its case up, and only
// the part to measure runs with callgrind's collection on. What the script needs besides the
// instruction count (frames, conditions, allocations, bytes) is printed as `name value` lines.
//
//   figures frame PROFILES CONDITIONS_PER_PROFILE steady|pass FRAMES
//   figures load PROFILES lf|crlf
//   figures plain PROFILES lf|crlf
//   figures keybindings BINDINGS
//   figures lint BYTES
//   figures lsp BYTES
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lint.h"
#include "lsp/server.h"
#include "plugin/plugin.h"
#include "sim_world.h"
#include "support/bench_world.h"
#include "support/counting_allocator.h"

namespace {

void Print(const char* name, long long value) { std::printf("%s %lld\n", name, value); }

LineEnd LineEndNamed(const char* name) {
  return std::strcmp(name, "crlf") == 0 ? LineEnd::CrLf : LineEnd::Lf;
}

int Frames(int profiles, int conditions, bool pass, int frames) {
  // A pass every frame: both frame times reach the smallest interval the plug-in allows.
  StartPlugin(AllHoldingConfiguration(profiles, conditions, pass ? 0.1f : 1.0e6f));
  if (pass) Sim().frameTimeA = Sim().frameTimeB = 0.1f;
  Settle(pass ? 20 : 120);
  // In the steady case the only pass ran at start-up; the check holds the same.
  const int evaluated = EvaluatedConditionsPerPass(profiles, conditions);
  Plugin& plugin = Plugin::Instance();
  const int64_t before = AllocationCount();
  CALLGRIND_TOGGLE_COLLECT;
  for (int i = 0; i < frames; ++i) plugin.RunFrame();
  CALLGRIND_TOGGLE_COLLECT;
  Print("frames", frames);
  Print("conditions_per_pass", pass ? evaluated : 0);
  Print("allocations", AllocationCount() - before);
  return 0;
}

int Load(int profiles, LineEnd lineEnd) {
  const std::string text = GeneratedConfiguration(profiles, lineEnd);
  ResetWorld();  // the simulated game is made before the count starts: its heap is not the load's
  auto session = Plugin::Instance().NewSession();
  const int64_t allocationsBefore = AllocationCount();
  const int64_t bytesBefore = LiveHeapBytes();
  CALLGRIND_TOGGLE_COLLECT;
  LoadInto(*session, text);
  CALLGRIND_TOGGLE_COLLECT;
  Print("profiles", static_cast<long long>(session->profiles.size()));
  Print("allocations", AllocationCount() - allocationsBefore);
  Print("bytes", LiveHeapBytes() - bytesBefore);
  return 0;
}

int Plain(int profiles, LineEnd lineEnd) {
  const std::string text = GeneratedConfiguration(profiles, lineEnd);
  CALLGRIND_TOGGLE_COLLECT;
  const size_t kept = PlainReadAndTrim(text);
  CALLGRIND_TOGGLE_COLLECT;
  Print("kept", static_cast<long long>(kept));
  return 0;
}

// The first frames apply the bindings the load requested (a frame applies a bounded number).
int KeyBindings(int bindings) {
  StartPlugin(KeyBindingConfiguration(bindings));
  Plugin& plugin = Plugin::Instance();
  int frames = 0;
  CALLGRIND_TOGGLE_COLLECT;
  const auto pending = [](const Session& session) { return !session.keyBindingRequests.empty(); };
  while (plugin.WithSession(pending) && frames < bindings) {
    plugin.RunFrame();
    ++frames;
  }
  CALLGRIND_TOGGLE_COLLECT;
  Print("frames", frames);
  Print("bindings", static_cast<long long>(plugin.keyBindings.size()));
  return 0;
}

// Every rule on, over a configuration of at least `bytes`.
int Lint(size_t bytes) {
  const std::string text = LintBenchConfiguration(bytes);
  CALLGRIND_TOGGLE_COLLECT;
  const std::vector<Finding> findings = LintConfiguration(text);
  CALLGRIND_TOGGLE_COLLECT;
  Print("bytes", static_cast<long long>(text.size()));
  Print("findings", static_cast<long long>(findings.size()));
  return 0;
}

// The language server: diagnostics after a one-character change to an open configuration of at
// least `bytes` (a blank put before a line, which changes nothing the game reads).
int LspChange(size_t bytes) {
  const Json open = {{"jsonrpc", "2.0"},
                     {"method", "textDocument/didOpen"},
                     {"params",
                      {{"textDocument",
                        {{"uri", "file:///Vantrel.txt"},
                         {"version", 1},
                         {"text", LintBenchConfiguration(bytes)}}}}}};
  const Json point = {{"line", 40}, {"character", 0}};
  const std::string change =
      Json({{"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params",
             {{"textDocument", {{"uri", "file:///Vantrel.txt"}, {"version", 2}}},
              {"contentChanges", {{{"range", {{"start", point}, {"end", point}}}, {"text", " "}}}}}}})
          .dump();
  size_t published = 0;
  LspServer server([&](const std::string& content) { published = content.size(); });
  server.Handle(R"({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {}})");
  server.Handle(open.dump());
  CALLGRIND_TOGGLE_COLLECT;
  server.Handle(change);
  CALLGRIND_TOGGLE_COLLECT;
  const auto& text = open["params"]["textDocument"]["text"].get_ref<const std::string&>();
  Print("bytes", static_cast<long long>(text.size()));
  Print("published", static_cast<long long>(published));
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: figures frame PROFILES CONDITIONS steady|pass FRAMES\n"
               "       figures load|plain PROFILES lf|crlf\n"
               "       figures keybindings BINDINGS\n"
               "       figures lint BYTES\n"
               "       figures lsp BYTES\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string mode = argv[1];
  const int count = std::atoi(argv[2]);
  if (count <= 0) return Usage();
  if (mode == "frame" && argc == 6) {
    return Frames(count, std::atoi(argv[3]), std::strcmp(argv[4], "pass") == 0, std::atoi(argv[5]));
  }
  if (mode == "load" && argc == 4) return Load(count, LineEndNamed(argv[3]));
  if (mode == "plain" && argc == 4) return Plain(count, LineEndNamed(argv[3]));
  if (mode == "keybindings" && argc == 3) return KeyBindings(count);
  if (mode == "lint" && argc == 3) return Lint(static_cast<size_t>(count));
  if (mode == "lsp" && argc == 3) return LspChange(static_cast<size_t>(count));
  return Usage();
}
