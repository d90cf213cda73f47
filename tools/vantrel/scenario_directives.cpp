// The table of scenario directives: words, usage and handler of each.

#include "scenario_directives.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "expectations.h"
#include "game_directives.h"
#include "trace_sources.h"
#include "world_edits.h"

namespace {

// --- Time ---

bool SetFrame(ScenarioRun& run, DirectiveArgs& args) {
  float seconds = 0;
  if (!args.Number(1, seconds)) return false;
  if (!(seconds > 0)) return args.Fail("the duration must be above 0");
  run.activeSeconds = run.frameSeconds = seconds;
  return true;
}

bool SetFrameTimes(ScenarioRun& run, DirectiveArgs& args) {
  float a = 0, b = 0;
  if (!args.Number(1, a) || !args.Number(2, b)) return false;
  if (!(a >= 0) || !(b > 0)) return args.Fail("A must be 0 or more and B above 0");
  run.activeSeconds = a;
  run.frameSeconds = b;
  return true;
}

bool PlayFrames(ScenarioRun& run, DirectiveArgs& args) {
  int32_t count = 0;
  if (!args.Whole(1, count)) return false;
  if (count < 0) return args.Fail("the count must be 0 or more");
  run.RunFrames(count);
  return true;
}

bool Wait(ScenarioRun& run, DirectiveArgs& args) {
  float seconds = 0;
  if (!args.Number(1, seconds)) return false;
  if (!(seconds >= 0)) return args.Fail("the seconds must be 0 or more");
  // Whole frames that cover the time; a count beyond int32 would make the conversion undefined.
  const double frames = static_cast<double>(seconds) / run.frameSeconds;
  const double whole = std::floor(frames);
  const double count = frames - whole < 0.000001 ? whole : whole + 1;
  if (!(count <= INT32_MAX)) return args.Fail("that is more than 2147483647 frames");
  run.RunFrames(static_cast<int32_t>(count));
  return true;
}

constexpr const char* kTime = "Time";
constexpr const char* kCharacter = "The followed character and other references";
constexpr const char* kGame = "The game";
constexpr const char* kHooks = "The game's camera and its hooks";
constexpr const char* kExpect = "Checks: profiles, values and the console";
constexpr const char* kExpectCamera = "Checks: the plug-in's camera";
constexpr const char* kExpectGame = "Checks: what the game did";

// Rows whose first words are the same are tried in table order: a literal form comes before a
// placeholder that would also take its word.
constexpr Directive kDirectives[] = {
    {kTime, "frame SECONDS", "length of the following frames (both of the game's frame times)",
     SetFrame},
    {kTime, "frametime A B",
     "the game's two frame times apart: A counts the mount windows, B everything else",
     SetFrameTimes},
    {kTime, "frames N", "run N frames", PlayFrames},
    {kTime, "wait SECONDS", "run frames for that long", Wait},

    {kCharacter, "set NAME LITERAL",
     "make a game-state value read LITERAL at the next update (`bWeaponOut`, `bSneaking`, "
     "`sRace`, `iCameraState`, ...)",
     SetGameState},
    {kCharacter, "hand right|left none|empty|spell|magic|onehanded|twohanded|bow|crossbow",
     "what a hand holds (`none`: the hand is not in use)", SetHand},
    {kCharacter, "hand right|left weapon KIND",
     "a weapon with that kind byte (0 unarmed, 1-4 one-handed, 5-6 two-handed, 7 and 17 bow, 9 "
     "and 19 crossbow, others nothing)",
     SetHand},
    {kCharacter, "hand right|left form TYPE", "an item of that form type that is not a weapon",
     SetHand},
    {kCharacter, "hand mode BYTE", "the game's hand mode byte of its combat state", SetHand},
    {kCharacter, "mount", "the followed character starts to mount (hook 7)", MountStart},
    {kCharacter, "dismount", "the followed character starts to dismount (hook 6)", DismountStart},
    {kCharacter, "faction|perk|keyword|worn|effect add|remove ARG",
     "facts about the followed character (form ids for faction and perk, keyword names "
     "otherwise)",
     EditFact},
    {kCharacter, "player rotation PITCH YAW",
     "the player's own rotation in degrees: PITCH about X, YAW about Z", SetRefRotation},
    {kCharacter, "actor FORMID rotation PITCH YAW", "the same for another reference",
     SetRefRotation},
    {kCharacter, "player 3d none|restore",
     "the followed character loses its loaded 3D, or gets it back", SetLoaded3D},
    {kCharacter, "node NAME position X Y Z", "move a node of the player's skeleton (made if new)",
     EditNode},
    {kCharacter, "node NAME rotation YAW PITCH",
     "turn a node of the player's skeleton (made if new): YAW to the right, then PITCH up, in "
     "degrees",
     EditNode},
    {kCharacter, "node NAME axis X Y Z DEG",
     "turn a node by DEG degrees about the axis (X, Y, Z): any rotation, a half turn included",
     EditNode},
    {kCharacter, "node NAME scale S", "a node's world scale (the camera does not apply it)",
     EditNode},
    {kCharacter, "node NAME remove", "take a node and what hangs below it off the skeleton",
     EditNode},

    {kGame, "menu NAME open|close", "open or close a game menu (`BarterMenu`, `Crafting Menu`)",
     SetMenu},
    {kGame, "game running|paused", "a paused game stops the mount and dismount windows",
     SetGameRunning},
    {kGame, "key CODE down|up", "a key by virtual-key code", SetKey},
    {kGame, "window active|inactive|none",
     "the game window is the active one, is not, or the game has none", SetWindow},
    {kGame, "poll WORD",
     "the game's input step answers WORD; keys are read only when its low byte is not 0", SetPoll},
    {kGame, "answer QUERY WORD|normal",
     "the raw 32-bit answer of a game query: `running`, `sprinting`, `dead`, `mounted`, "
     "`sneaking`, `sitting`, `jumping` for the followed character; `menu`, `faction`, `perk`, "
     "`keyword`, `worn`, `firstperson` (the game's own first-person query, before hook 28) for "
     "every question until `normal`. The game's yes/no answers count by their low byte, the "
     "perk test by the whole word",
     SetAnswer},
    {kGame, "remove|restore OBJECT",
     "take a game object away or put it back: `console` (lines wait), `camera`, `keywords` (the "
     "keyword list, read once at the first keyword name lookup), `input`, `menus`, `combat` (the "
     "active hands), `crosshair`, `ui`, `main`, `player`",
     SetPresence},
    {kGame, "crosshair none", "nothing under the crosshair", SetCrosshair},
    {kGame, "crosshair FORMID [actor|reference|creature]",
     "what the crosshair shows: an actor (the default), a reference that is not an actor, or a "
     "creature whose head node is `Canine_Head`",
     SetCrosshair},
    {kGame, "pick none", "the crosshair pick finds nothing", SetPick},
    {kGame, "pick X Y Z", "the point the crosshair pick finds", SetPick},

    {kHooks, "look DX DY", "the player's look input of the next frame (hook 26)", Look},
    {kHooks, "lookscale DEG",
     "degrees the game turns its camera per look-input unit (at the start 1)", SetLookScale},
    {kHooks, "game look YAW PITCH",
     "the game camera state's own yaw and pitch in degrees, which hook 3 restricts",
     SetCameraAngles},
    {kHooks, "camera yaw DEG pitch DEG", "the same as `game look DEG DEG`", SetCameraAngles},
    {kHooks, "game pitchlimits MIN MAX",
     "the game's own pitch limits of actors in degrees (at the start -90 and 90), which hook 29 "
     "may replace",
     SetGameNumbers},
    {kHooks, "game offsets X Y Z",
     "what the game writes into its camera state's three offset fields each frame (at the "
     "start 0 0 0), which hooks 18-23 may clear",
     SetGameNumbers},
    {kHooks, "game fov X", "the game camera's own field of view", SetGameNumbers},
    {kHooks, "game nearclip X", "the game's own near clip", SetGameNumbers},
    {kHooks, "game camera position X Y Z",
     "where the game camera draws from, until the plug-in moves it (at the start 0 -150 140)",
     SetGameCamera},
    {kHooks, "game camera rotation YAW PITCH",
     "the game camera's view, YAW to the right and PITCH up in degrees (at the start 0 0)",
     SetGameCamera},
    {kHooks, "zoom in|out",
     "the game's first-person zoom: in reaches hooks 15 and 11, and the game goes to first "
     "person (state 0) unless the plug-in takes it; out reaches hook 12, and the game leaves "
     "first person for state 9",
     Zoom},
    {kHooks, "toggle view|state",
     "view: the game's first-person key (hook 13), which switches between states 0 and 9 "
     "unless the plug-in takes it; state: the game's own state change (hook 14)",
     Toggle},
    {kHooks, "switch camera ID",
     "the game tries to change its camera state to ID; hook 8 may hold it back", SwitchCamera},
    {kHooks, "facecrosshair on|off",
     "the game's flag at hook 9 in the next frame, which then reaches hooks 10 and 9",
     SetFaceCrosshair},
    {kHooks, "input event KIND",
     "an input event of that kind byte reaches hook 27, which skips kind 4 unless the head "
     "camera is shown",
     SendInputEvent},

    {kExpect, "expect profile NAME", "the current profile", ExpectProfile},
    {kExpect, "expect active|inactive NAME", "a parallel profile's state", ExpectParallel},
    {kExpect, "expect value NAME LITERAL|unset",
     "a value as the plug-in reads it (numbers within 0.001)", ExpectValue},
    {kExpect, "expect console TEXT",
     "a console line equal to TEXT was shown since the last `expect console`", ExpectConsole},
    {kExpect, "expect no console TEXT", "no console line shown so far contains TEXT",
     ExpectNoConsole},

    {kExpectCamera, "expect camera active true|false", "the head camera is shown",
     ExpectCameraActive},
    {kExpectCamera, "expect camera position|forward X Y Z",
     "the camera's position (within 0.01) or view direction (within 0.001), as the plug-in "
     "computed them",
     ExpectCameraVector},
    {kExpectCamera, "expect focus none", "the focus keeps no point in view", ExpectFocus},
    {kExpectCamera, "expect focus X Y Z", "the point the focus keeps in view (within 0.01)",
     ExpectFocus},
    {kExpectCamera, "expect target FORMID", "the reference the camera follows", ExpectTarget},

    {kExpectGame, "expect look DX DY",
     "the look input the game got back at hook 26 in the last frame (within 0.001)", ExpectLook},
    {kExpectGame, "expect game look YAW PITCH",
     "the game camera state's yaw and pitch after hook 3 (degrees, within 0.01)", ExpectGameLook},
    {kExpectGame, "expect game camera position|forward X Y Z",
     "the game camera's position (within 0.01) or view direction (within 0.001) after the "
     "hooks: what the game draws",
     ExpectGameCamera},
    {kExpectGame, "expect game fov|nearclip X",
     "the game camera's field of view, the game's near clip (within 0.001)", ExpectGameNumber},
    {kExpectGame, "expect game offsets X Y Z",
     "the camera state's three offset fields after the frame (within 0.001)", ExpectGameOffsets},
    {kExpectGame, "expect game view first|third",
     "whether the game camera is in its first-person state (0)", ExpectGameView},
    {kExpectGame, "expect camera state ID", "the game camera's state (-1: none)",
     ExpectCameraState},
    {kExpectGame, "expect pitchlimits MIN MAX",
     "the limits the game clamped the followed actor's pitch to in the last frame (degrees, "
     "within 0.01)",
     ExpectPitchLimits},
    {kExpectGame, "expect headtrack FORMID none",
     "that actor has no head-tracking point: the game's own head tracking hands out none",
     ExpectHeadTrack},
    {kExpectGame, "expect headtrack FORMID X Y Z",
     "the point the plug-in's head tracking handed the game for that actor (within 0.01)",
     ExpectHeadTrack},
    {kExpectGame, "expect tracked FORMID true|false", "bit 3 of that actor's state word",
     ExpectTracked},
    {kExpectGame, "expect graph NAME true|false",
     "the player's animation-graph variable (`IsNPC`; one never set is false)", ExpectGraph},
    {kExpectGame, "expect facecrosshair STATE ARG",
     "the state (the plug-in's 3, 4, 5 or the game's flag 0 or 1) and the argument (the "
     "game's own is 0) the game went on with after hooks 10 and 9",
     ExpectFaceCrosshair},
    {kExpectGame, "expect refreshes N", "projection refresh branches taken at hook 17 so far",
     ExpectRefreshes},
    {kExpectGame, "expect input KIND handled|skipped",
     "whether the game went on with the last event of that kind or hook 27 skipped it",
     ExpectInput},
    {kExpectGame, "expect firstperson true|false",
     "the answer of the game's first-person query now, after hook 28", ExpectFirstPerson},
    {kExpectGame, "expect animevent FORMID NAME|none",
     "the last animation event the plug-in sent to that actor", ExpectAnimEvent},
};

// --- Matching a line to its row ---

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t at = 0;
  while (true) {
    const size_t end = std::min(text.find(separator, at), text.size());
    parts.push_back(text.substr(at, end - at));
    if (end == text.size()) return parts;
    at = end + 1;
  }
}

bool IsPlaceholder(std::string_view token) {
  for (char c : token) {
    if (c >= 'A' && c <= 'Z') return true;
  }
  return false;
}

bool IsOptional(std::string_view token) { return !token.empty() && token.front() == '['; }

std::string_view Inner(std::string_view token) {
  return IsOptional(token) ? token.substr(1, token.size() - 2) : token;
}

bool LiteralFits(std::string_view token, const std::string& word) {
  for (std::string_view literal : Split(token, '|')) {
    if (literal == word) return true;
  }
  return false;
}

bool Fits(const Directive& row, const std::vector<std::string>& words) {
  size_t at = 0;
  for (std::string_view token : Split(row.words, ' ')) {
    if (token == "TEXT") return at < words.size();
    const std::string_view inner = Inner(token);
    if (at == words.size()) {
      if (IsOptional(token)) continue;
      return false;
    }
    if (IsPlaceholder(inner) || LiteralFits(inner, words[at])) {
      ++at;
    } else if (!IsOptional(token)) {
      return false;
    }
  }
  return at == words.size();
}

// How many of the row's leading literal words the line's words fit.
size_t LiteralPrefix(const Directive& row, const std::vector<std::string>& words) {
  size_t count = 0;
  for (std::string_view token : Split(row.words, ' ')) {
    if (count == words.size() || IsPlaceholder(token) || IsOptional(token) ||
        !LiteralFits(token, words[count])) {
      break;
    }
    ++count;
  }
  return count;
}

// --- Help ---

constexpr size_t kHelpColumn = 32;
constexpr size_t kHelpWidth = 78;

// Prints text from the cursor at `column`, wrapped at kHelpWidth, going on at `indent`.
void PrintWrapped(std::string_view text, size_t indent, size_t column) {
  if (column < indent) std::printf("%*s", static_cast<int>(indent - column), "");
  column = std::max(column, indent);
  bool lineStart = true;
  size_t at = 0;
  while (at < text.size()) {
    const size_t blank = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, blank - at);
    if (!lineStart && column + 1 + word.size() > kHelpWidth) {
      std::printf("\n%*s", static_cast<int>(indent), "");
      column = indent;
      lineStart = true;
    }
    std::printf("%s%.*s", lineStart ? "" : " ", static_cast<int>(word.size()), word.data());
    column += word.size() + (lineStart ? 0 : 1);
    lineStart = false;
    at = blank + 1;
  }
  std::printf("\n");
}

// The usage as a terminal shows it: without the backticks of the documents.
std::string Plain(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c != '`') plain += c;
  }
  return plain;
}

std::string MarkdownCell(std::string_view text) {
  std::string cell;
  for (char c : text) {
    if (c == '|') cell += '\\';
    cell += c;
  }
  return cell;
}

template <typename Visit>
void ForEachGroup(Visit visit) {
  const char* last = nullptr;
  for (const Directive& row : kDirectives) {
    if (last == nullptr || std::string_view(last) != row.group) visit(row.group);
    last = row.group;
  }
}

}  // namespace

bool DirectiveArgs::Number(size_t i, float& out) {
  return ReadFloat(line.words[i], out) || Fail("'" + line.words[i] + "' is not a number");
}

bool DirectiveArgs::Whole(size_t i, int32_t& out) {
  return ReadInt(line.words[i], out) || Fail("'" + line.words[i] + "' is not a whole number");
}

bool DirectiveArgs::Point(size_t first, float out[3]) {
  return Number(first, out[0]) && Number(first + 1, out[1]) && Number(first + 2, out[2]);
}

bool DirectiveArgs::Fail(std::string what) {
  if (problem.empty()) problem = std::move(what);
  return false;
}

std::span<const Directive> ScenarioDirectives() { return kDirectives; }

const Directive* FindDirective(const ScenarioLine& line, std::string& error) {
  size_t best = 0;
  for (const Directive& row : kDirectives) {
    if (Fits(row, line.words)) return &row;
    best = std::max(best, LiteralPrefix(row, line.words));
  }
  if (best == 0) {
    error = "unknown directive '" + line.words[0] + "'";
    return nullptr;
  }
  std::vector<const char*> nearest;
  for (const Directive& row : kDirectives) {
    if (LiteralPrefix(row, line.words) == best) nearest.push_back(row.words);
  }
  // Only a short list helps; for many, the words that named none of them do.
  constexpr size_t kListed = 8;
  if (nearest.size() > kListed) {
    const size_t named = std::min(best, line.words.size() - 1);
    error = "unknown directive '" + line.text.substr(0, line.wordEnds[named]) + "'";
    return nullptr;
  }
  error = "usage:";
  for (size_t i = 0; i < nearest.size(); ++i) error += (i ? " | " : " ") + std::string(nearest[i]);
  return nullptr;
}

void PrintScenarioHelp(bool markdown) {
  if (markdown) {
    std::printf(
        "<!-- Scenario directives: written by `vantrel help scenario --markdown` from\n"
        "     tools/vantrel/scenario_directives.cpp; change that, then write this again. -->\n");
    ForEachGroup([](const char* group) {
      std::printf("\n**%s**\n\n| Directive | What it does |\n|---|---|\n", group);
      for (const Directive& row : kDirectives) {
        if (std::string_view(group) != row.group) continue;
        std::printf("| `%s` | %s |\n", MarkdownCell(row.words).c_str(),
                    MarkdownCell(row.usage).c_str());
      }
    });
    std::printf(
        "\n**Trace names** (`--trace` and `--plot`; any value name is one too)\n\n"
        "| Name | Columns | What it shows |\n|---|---|---|\n");
    for (const TraceSource& source : TraceSources()) {
      std::string columns;
      for (const std::string& column : TraceColumnNames(source)) {
        columns += (columns.empty() ? "`" : ", `") + column + "`";
      }
      std::printf("| `%s` | %s | %s |\n", source.name, columns.c_str(), source.usage);
    }
    std::printf("\n<!-- End of scenario directives -->\n");
    return;
  }
  std::printf(
      "Scenario directives, one a line (# starts a comment; a word with spaces is written in\n"
      "double quotes). Words in capitals stand for a value, a|b for either word, [a|b] for an\n"
      "optional one, TEXT for the rest of the line.\n");
  ForEachGroup([](const char* group) {
    std::printf("\n%s\n", group);
    for (const Directive& row : kDirectives) {
      if (std::string_view(group) != row.group) continue;
      const std::string words = std::string("  ") + row.words;
      std::printf("%s", words.c_str());
      if (words.size() + 2 <= kHelpColumn) {
        PrintWrapped(Plain(row.usage), kHelpColumn, words.size());
      } else {
        std::printf("\n");
        PrintWrapped(Plain(row.usage), kHelpColumn, 0);
      }
    }
  });
  std::printf("\nTrace names (--trace and --plot; any value name is one too)\n");
  for (const TraceSource& source : TraceSources()) {
    std::printf("  %s", source.name);
    PrintWrapped(source.usage, kHelpColumn, 2 + std::string_view(source.name).size());
  }
}
