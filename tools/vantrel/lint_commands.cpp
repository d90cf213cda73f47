// Rules on single commands: unread-value, overwritten-value, return-without-change and
// ignored-command.
#include <optional>
#include <string>

#include "base/text.h"
#include "config/literals.h"
#include "lint_fixes.h"
#include "lint_reading.h"
#include "lint_rules.h"
#include "profiles/command_table.h"
#include "profiles/driver.h"
#include "values/value_table.h"

namespace {

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool IsGameState(int32_t valueIndex) {
  return valueIndex >= 0 && valueIndex < Vid::Count &&
         kValueTable[valueIndex].kind == ValueKind::GameState;
}

const char* ValueName(int32_t valueIndex) { return kValueTable[valueIndex].name; }

bool SetsValue(CommandId id) { return id == CommandId::Set || id == CommandId::SetTween; }
bool ModifiesValue(CommandId id) {
  return id == CommandId::Modify || id == CommandId::ModifyTween;
}

// The fix for an unread text: moving a would-be comment out of the line, or the text meant.
std::optional<Fix> UnreadFix(LintSource& source, int32_t line, std::string_view span,
                             const Unreadable& unreadable) {
  if (std::optional<Fix> moved = TrailingCommentFix(source, line)) return moved;
  if (unreadable.replacement.empty()) return std::nullopt;
  return ReplaceFix(source, span, unreadable.replacement, unreadable.certain,
                    "write '" + unreadable.replacement + "'");
}

// A fix that moves text out of the line is one for a would-be comment.
std::string ReasonFor(const std::optional<Fix>& fix, const Unreadable& unreadable) {
  if (fix && fix->edits.size() == 2) return "text after a command is no comment";
  return unreadable.reason;
}

void Report(LintContext& context, const char* rule, const Command& command, std::string message,
            std::string_view span, std::optional<Fix> fix = std::nullopt) {
  Finding finding = context.source.At(rule, Severity::Warning, std::move(message), command.line,
                                      span);
  if (fix) finding.fixes.push_back(std::move(*fix));
  context.findings.push_back(std::move(finding));
}

// Set fFOV=80, Set fFOV 6,5, Set bHeadtrack on, Set fNearClip 5 ; closer.
void UnreadOperand(LintContext& context, const Command& command) {
  if (!SetsValue(command.id) && !ModifiesValue(command.id)) return;
  if (command.operand.isSet || IsGameState(command.valueIndex)) return;
  LintSource& source = context.source;
  const CommandSpans spans = source.CommandAt(command.line);
  const ValueType type = TypeFromName(ValueName(command.valueIndex));
  const std::string effect = SetsValue(command.id)
                                 ? std::string(", so ") + CommandName(command.id) + " makes " +
                                       ValueName(command.valueIndex) + " unset, as Clear does"
                                 : std::string(", so ") + CommandName(command.id) +
                                       " does nothing";
  const std::string_view text = spans.operand;
  if (!text.empty() && text.front() == '=') {
    // "Set fFOV=80": the name ends at "=", which the value then begins with.
    const std::string_view meant = TrimLeft(text.substr(1));
    std::optional<Fix> fix;
    if (ParseValueText(type, meant).isSet) {
      fix = ReplaceFix(source, text, (text.data() == spans.value.data() + spans.value.size() ? " " : "") +
                                         std::string(meant),
                       true, "drop the '='");
    }
    Report(context, "unread-value", command,
           "the value " + Quoted(text) + " begins with '=', which the game does not skip" + effect,
           text, std::move(fix));
    return;
  }
  const Unreadable unreadable = WhyUnreadable(type, text);
  std::optional<Fix> fix = UnreadFix(source, command.line, text, unreadable);
  std::string message = DoesNotRead(text, type) + " (" + ReasonFor(fix, unreadable) + ")" + effect;
  Report(context, "unread-value", command, std::move(message), text, std::move(fix));
}

bool IsWouldBeComment(std::string_view text) {
  return !text.empty() && (text.front() == ';' || text.front() == '#');
}

bool MeansForever(std::string_view text) {
  for (const std::string_view word : {"forever", "always", "permanently", "indefinitely"}) {
    if (EqualIgnoringCase(Trim(text), word)) return true;
  }
  return false;
}

// Seconds after a profile name or a rotation angle that do not read.
void UnreadSeconds(LintContext& context, const Command& command) {
  const char* effect = nullptr;
  switch (command.id) {
    case CommandId::SetProfile:
    case CommandId::BindKey:
    case CommandId::BindKey2:
      effect = "sets no lock";
      break;
    case CommandId::Inhibit:
      effect = "keeps the profile out until the next load";
      break;
    case CommandId::RotateX:
    case CommandId::RotateY:
      effect = "takes no time";
      break;
    default:
      return;
  }
  LintSource& source = context.source;
  const CommandSpans spans = source.CommandAt(command.line);
  const std::string_view seconds = spans.seconds;
  if (Trim(seconds).empty() || ParseValueText(ValueType::Float, seconds).isSet) return;
  // Seconds that do not read count as none written, except for Inhibit, where none written is
  // 0 but an unread text is forever: so a would-be comment changes nothing elsewhere, and
  // "Inhibit Combat forever" does what it says.
  if (command.id == CommandId::Inhibit ? MeansForever(seconds) : IsWouldBeComment(seconds)) {
    return;
  }
  // A name that misses its profile, or its quotes, is missing-profile's.
  const std::optional<std::string_view> target =
      command.operand.type == ValueType::String ? std::optional(command.operand.Text())
                                                : std::nullopt;
  if (command.id != CommandId::RotateX && command.id != CommandId::RotateY && target &&
      (FindProfile(context.session, *target) == nullptr ||
       !ProfileNameWithBlanks(context.session, source.Text(command.line), spans.operand).empty())) {
    return;
  }
  const Unreadable unreadable = WhyUnreadable(ValueType::Float, seconds);
  std::optional<Fix> fix = UnreadFix(source, command.line, seconds, unreadable);
  std::string message = Quoted(seconds) + " does not read as seconds (" +
                        ReasonFor(fix, unreadable) + "), so " + CommandName(command.id) + " " +
                        effect;
  Report(context, "unread-value", command, std::move(message), seconds, std::move(fix));
}

void UnreadMode(LintContext& context, const Command& command) {
  if (command.id != CommandId::RotateX && command.id != CommandId::RotateY) return;
  const CommandSpans spans = context.source.CommandAt(command.line);
  // A mode that does not read is mode 1, as none written is.
  if (spans.mode.empty() || command.rotationMode >= 0 || IsWouldBeComment(spans.mode)) return;
  Report(context, "unread-value", command,
         Quoted(spans.mode) + " is no rotation mode (0, 1 or 2), so the rotation uses mode 1",
         spans.mode);
}

bool ChangesValue(CommandId id) {
  switch (id) {
    case CommandId::Set:
    case CommandId::SetTween:
    case CommandId::Modify:
    case CommandId::ModifyTween:
    case CommandId::Reset:
    case CommandId::ResetTween:
    case CommandId::Clear:
      return true;
    default:
      return false;
  }
}

void OverwrittenValue(LintContext& context, const Command& command) {
  if (!ChangesValue(command.id) || !IsGameState(command.valueIndex)) return;
  const CommandSpans spans = context.source.CommandAt(command.line);
  Report(context, "overwritten-value", command,
         std::string(CommandName(command.id)) + " " + ValueName(command.valueIndex) +
             " does nothing: " + ValueName(command.valueIndex) +
             " is game state, which the plug-in reads from the game; the game refuses commands "
             "that change it",
         spans.value);
}

// The value an activation command records for Return, or -1: Reset records nothing, and
// nothing is recorded for a game-state value, which no command changes.
int32_t RecordedValue(const Command& command) {
  int32_t index = -1;
  switch (command.id) {
    case CommandId::Set:
    case CommandId::SetTween:
    case CommandId::Modify:
    case CommandId::ModifyTween:
    case CommandId::Clear:
      index = command.valueIndex;
      break;
    // These write one fixed value each, recorded like any other.
    case CommandId::Enable:
    case CommandId::Disable:
      index = Vid::bEnabled;
      break;
    case CommandId::Activate:
    case CommandId::Deactivate:
      index = Vid::bActivated;
      break;
    default:
      break;
  }
  return IsGameState(index) ? -1 : index;
}

// The "!" part of a command line and its name: "!Set".
std::string_view PrefixedName(const CommandSpans& spans) {
  return {spans.head.prefix.data(),
          static_cast<size_t>(spans.head.name.data() + spans.head.name.size() -
                              spans.head.prefix.data())};
}

void ReturnsWithoutChange(LintContext& context, const Profile& profile) {
  const auto& commands = profile.commands;
  for (size_t i = 0; i < commands.size(); ++i) {
    const Command& command = commands[i];
    const bool isReturn = command.id == CommandId::Return || command.id == CommandId::ReturnTween;
    // "!" commands outside the default profile never run at all: ignored-command's.
    if (!isReturn || (command.phase == CommandPhase::OnLoad && profile.type != ProfileType::Default)) {
      continue;
    }
    const std::string value = ValueName(command.valueIndex);
    const CommandSpans spans = context.source.CommandAt(command.line);
    if (command.phase == CommandPhase::OnLoad) {
      Report(context, "return-without-change", command,
             std::string(CommandName(command.id)) + " " + value +
                 " restores nothing: '!' commands run at load, before the profile has "
                 "recorded anything",
             spans.value);
      continue;
    }
    const bool activating = command.phase == CommandPhase::OnActivate;
    // Among the activation commands, only those before the Return have recorded anything.
    const size_t end = activating ? i : commands.size();
    bool recorded = false;
    bool reset = false;
    for (size_t j = 0; j < end; ++j) {
      if (commands[j].phase != CommandPhase::OnActivate) continue;
      const CommandId id = commands[j].id;
      recorded = recorded || RecordedValue(commands[j]) == command.valueIndex;
      reset = reset || ((id == CommandId::Reset || id == CommandId::ResetTween) &&
                        commands[j].valueIndex == command.valueIndex);
    }
    if (recorded) continue;
    Report(context, "return-without-change", command,
           std::string(CommandName(command.id)) + " " + value +
               " restores nothing: no activation command of '" + profile.name + "' changes " +
               value + (activating ? " before it" : "") +
               (reset ? " (Reset records nothing for Return)" : ""),
           spans.value);
  }
}

// "!" commands run only in the default profile, and there once at load, before a character is
// followed and before the profile becomes current.
void LoadCommandsIgnored(LintContext& context, const Profile& profile) {
  for (const Command& command : profile.commands) {
    if (command.phase != CommandPhase::OnLoad) continue;
    std::string message;
    if (profile.type != ProfileType::Default) {
      message = "'!' commands run only in the default profile, once after loading: this one in '" +
                profile.name + "' never runs";
    } else if (command.id == CommandId::SendAnimEvent) {
      message = "'!' commands run at load, when no character is followed yet: this SendAnimEvent "
                "sends nothing";
    } else if (command.id == CommandId::ReturnPerson) {
      message = "'!' commands run at load, before the default profile first becomes current: "
                "this ReturnPerson does nothing";
    } else {
      continue;
    }
    const CommandSpans spans = context.source.CommandAt(command.line);
    Report(context, "ignored-command", command, std::move(message),
           PrefixedName(spans),
           ReplaceFix(context.source, spans.head.prefix, "", false,
                      "drop the '!' to run it when the profile becomes active"));
  }
}

// "-Disable", "+skip": profile keywords, whatever the prefix, never commands.
void DisguisedKeywords(LintContext& context) {
  LintSource& source = context.source;
  for (int32_t line = 1; line <= source.GameLines(); ++line) {
    if (source.Kind(line) != LineKind::Command) continue;
    CommandHead head;
    if (!ReadCommandHead(source.Text(line), head) || head.prefix.empty()) continue;
    const ProfileState state = KeywordState(head.name);
    if (state == ProfileState::Normal) continue;
    const LintSource::Block& block = source.Blocks()[source.BlockOf(line)];
    const bool discards = state == ProfileState::Discarded;
    const std::string_view span(head.prefix.data(),
                                head.name.data() + head.name.size() - head.prefix.data());
    std::string effect;
    if (block.state != state) {
      effect = "a later keyword line of '" + block.name + "' decides instead";
    } else if (discards) {
      effect = "the whole profile '" + block.name +
               "' is left out of the file (to turn the camera off, write Set bEnabled false)";
    } else {
      effect = "the profile update never chooses the profile '" + block.name + "'";
    }
    Finding finding = source.At("ignored-command", Severity::Warning,
                                Quoted(span) + " is the profile keyword " +
                                    (discards ? "disable" : "skip") + ", not a command: " + effect,
                                line, span);
    if (discards) {
      finding.fixes.push_back(ReplaceFix(source, span, std::string(head.prefix) + "Set bEnabled false",
                                         false, "turn the camera off with Set bEnabled false"));
    }
    context.findings.push_back(std::move(finding));
  }
}

}  // namespace

void CommandFindings(LintContext& context) {
  for (const Profile& profile : context.session.profiles) {
    for (const Command& command : profile.commands) {
      UnreadOperand(context, command);
      UnreadSeconds(context, command);
      UnreadMode(context, command);
      OverwrittenValue(context, command);
    }
    ReturnsWithoutChange(context, profile);
    LoadCommandsIgnored(context, profile);
  }
  DisguisedKeywords(context);
}
