// The command parser: one command line into a Command of the profile it belongs to.

#include "config/command_parser.h"

#include <string>

#include "base/diagnostics.h"
#include "base/name_index.h"
#include "base/text.h"
#include "config/literals.h"
#include "config/tokens.h"
#include "profiles/command_table.h"
#include "values/registry.h"

namespace {

enum class ArgumentForm {
  None,
  ValueName,    // the whole rest names a value
  ValueAssign,  // value name, then its new value
  ValueLength,  // value name, then a tween length
  ValueTween,   // value name, a value, then a tween length
  Profile,      // a profile name
  ProfileTime,  // a profile name, then seconds
  Key,          // a key number
  KeyBinding,   // key, modifiers, profile name, then seconds
  Rotation,     // angle, then optional seconds and mode
  Event,        // the whole rest is an event name
};

ArgumentForm FormOf(CommandId id) {
  switch (id) {
    case CommandId::Reset:
    case CommandId::Return:
    case CommandId::Clear:
      return ArgumentForm::ValueName;
    case CommandId::Set:
    case CommandId::Modify:
      return ArgumentForm::ValueAssign;
    case CommandId::ResetTween:
    case CommandId::ReturnTween:
      return ArgumentForm::ValueLength;
    case CommandId::SetTween:
    case CommandId::ModifyTween:
      return ArgumentForm::ValueTween;
    case CommandId::RunProfile:
      return ArgumentForm::Profile;
    case CommandId::SetProfile:
    case CommandId::Inhibit:
      return ArgumentForm::ProfileTime;
    case CommandId::UnBindKey:
      return ArgumentForm::Key;
    case CommandId::BindKey:
    case CommandId::BindKey2:
      return ArgumentForm::KeyBinding;
    case CommandId::RotateX:
    case CommandId::RotateY:
      return ArgumentForm::Rotation;
    case CommandId::SendAnimEvent:
      return ArgumentForm::Event;
    default:
      return ArgumentForm::None;
  }
}

constexpr float kUnspecifiedTweenSeconds = 0.2f;
constexpr int32_t kRunsProfileModifier = 0x20;

// Reads one command's arguments; every failure is reported at the command's line.
class ArgumentReader {
 public:
  ArgumentReader(Session& session, Command& command, int32_t line, std::string_view rest,
                 CommandSpans* spans)
      : command_(command), session_(session), line_(line), rest_(rest), spans_(spans) {}

  bool Read() {
    switch (FormOf(command_.id)) {
      case ArgumentForm::None:
        return true;
      case ArgumentForm::ValueName:
        return ReadValueName();
      case ArgumentForm::ValueAssign:
        if (!ReadLeadingValueName()) return false;
        Mark(&CommandSpans::operand, rest_);
        command_.operand = Keep(ParseValueText(value_->type, rest_));
        return true;
      case ArgumentForm::ValueLength:
        if (!ReadLeadingValueName()) return false;
        ReadTweenLength();
        return true;
      case ArgumentForm::ValueTween:
        return ReadValueTween();
      case ArgumentForm::Profile:
        return ReadProfileName();
      case ArgumentForm::ProfileTime:
        return ReadProfileTime();
      case ArgumentForm::Key:
        return ReadKey();
      case ArgumentForm::KeyBinding:
        return ReadKeyBinding();
      case ArgumentForm::Rotation:
        return ReadRotation();
      case ArgumentForm::Event:
        return ReadEvent();
    }
    return false;
  }

 private:
  Operand Keep(const ValueData& data) { return KeepOperand(session_.texts, data); }
  Operand KeepText(std::string_view text) { return Operand::String(session_.texts.Keep(text)); }

  bool Fail(const char* message) {
    LogAtLine(session_.messageQueue, line_, "%s", message);
    return false;
  }

  bool FailUnknownValue(std::string_view name) {
    LogAtLine(session_.messageQueue, line_, "Unknown value '%s'!", std::string(name).c_str());
    return false;
  }

  // Notes where a part lay, when the caller asked.
  void Mark(std::string_view CommandSpans::*part, std::string_view text) {
    if (spans_ != nullptr) spans_->*part = text;
  }

  bool Resolve(std::string_view name) {
    Mark(&CommandSpans::value, name);
    value_ = FindValue(session_.values, name);
    if (value_ == nullptr) return FailUnknownValue(name);
    command_.valueIndex = static_cast<int16_t>(value_->index);
    return true;
  }

  bool ReadValueName() {
    if (rest_.empty()) return Fail("Invalid syntax for command! Value name is expected.");
    return Resolve(rest_);
  }

  bool ReadLeadingValueName() {
    std::string_view name;
    if (rest_.empty() || !ReadIdentifier(rest_, name)) {
      return Fail("Invalid syntax for command! Value name is expected.");
    }
    return Resolve(name);
  }

  // A bad length is reported but keeps the command, with a short default tween.
  void ReadTweenLength() {
    Mark(&CommandSpans::seconds, rest_);
    const ValueData seconds = ParseValueText(ValueType::Float, rest_);
    if (seconds.isSet) {
      command_.seconds = seconds.AsFloat();
    } else {
      command_.seconds = kUnspecifiedTweenSeconds;
      LogAtLine(session_.messageQueue, line_, "Unspecified tween length!");
    }
  }

  bool ReadValueTween() {
    if (!ReadLeadingValueName()) return false;
    std::string_view valueText;
    ReadStringToken(rest_, valueText);
    Mark(&CommandSpans::operand, valueText);
    command_.operand = Keep(ParseValueText(value_->type, valueText));
    ReadTweenLength();
    return true;
  }

  bool ReadProfileName() {
    if (rest_.empty()) return Fail("Invalid syntax for command! Profile name is expected.");
    std::string_view name;
    ReadStringToken(rest_, name);
    Mark(&CommandSpans::operand, name);
    command_.operand = KeepText(name);
    return true;
  }

  bool ReadProfileTime() {
    if (!ReadProfileName()) return false;
    Mark(&CommandSpans::seconds, rest_);
    const ValueData seconds = ParseValueText(ValueType::Float, rest_);
    const float defaultSeconds = command_.id == CommandId::Inhibit ? -1.0f : 0.0f;
    command_.seconds = seconds.isSet ? seconds.AsFloat() : defaultSeconds;
    return true;
  }

  bool ReadKey() {
    std::string_view keyText;
    if (rest_.empty() || !ReadNumberToken(rest_, keyText)) {
      return Fail("Invalid syntax for command! Key is expected.");
    }
    Mark(&CommandSpans::key, keyText);
    const ValueData key = ParseValueText(ValueType::Int, keyText);
    if (!key.isSet) return Fail("Invalid syntax for command! Key is expected as integer value.");
    command_.keyWord = PackKeyCode(key.AsInt(), 0);
    return true;
  }

  // Both number tokens and the name are read before either number is checked.
  bool ReadKeyBinding() {
    std::string_view keyText;
    std::string_view modifierText;
    std::string_view profileName;
    if (rest_.empty() || !ReadNumberToken(rest_, keyText)) {
      return Fail("Invalid syntax for command! Key is expected.");
    }
    Mark(&CommandSpans::key, keyText);
    if (!ReadNumberToken(rest_, modifierText)) {
      return Fail("Invalid syntax for command! Key modifier is expected.");
    }
    Mark(&CommandSpans::modifier, modifierText);
    ReadStringToken(rest_, profileName);
    Mark(&CommandSpans::operand, profileName);
    Mark(&CommandSpans::seconds, rest_);
    const ValueData key = ParseValueText(ValueType::Int, keyText);
    if (!key.isSet) return Fail("Invalid syntax for command! Key is expected as integer value.");
    const ValueData modifier = ParseValueText(ValueType::Int, modifierText);
    if (!modifier.isSet) {
      return Fail("Invalid syntax for command! Key modifier is expected as integer value.");
    }
    int32_t modifiers = modifier.AsInt();
    if (command_.id == CommandId::BindKey2) modifiers |= kRunsProfileModifier;
    command_.keyWord = PackKeyCode(key.AsInt(), modifiers);
    command_.operand = KeepText(profileName);
    const ValueData seconds = ParseValueText(ValueType::Float, rest_);
    if (seconds.isSet) command_.seconds = seconds.AsFloat();
    return true;
  }

  // Angle, then an optional time and an optional mode; a bad time or mode is just skipped.
  bool ReadRotation() {
    std::string_view angleText;
    if (!rest_.empty()) ReadWord(rest_, angleText);
    Mark(&CommandSpans::operand, angleText);
    const ValueData angle = ParseValueText(ValueType::Float, angleText);
    if (angleText.empty() || !angle.isSet) {
      return Fail("Invalid syntax for command! Value is expected.");
    }
    command_.operand = Keep(angle);
    std::string_view timeText;
    ReadWord(rest_, timeText);
    Mark(&CommandSpans::seconds, timeText);
    Mark(&CommandSpans::mode, rest_);
    const ValueData seconds = ParseValueText(ValueType::Float, timeText);
    if (!timeText.empty() && seconds.isSet) command_.seconds = seconds.AsFloat();
    const ValueData mode = ParseValueText(ValueType::Int, rest_);
    // Any other mode rotates as none does.
    if (!rest_.empty() && mode.isSet && mode.AsInt() >= 0 && mode.AsInt() <= 2) {
      command_.rotationMode = static_cast<int8_t>(mode.AsInt());
    }
    return true;
  }

  bool ReadEvent() {
    if (rest_.empty()) return Fail("Invalid syntax for command! Event name is expected.");
    Mark(&CommandSpans::operand, rest_);
    command_.operand = KeepText(rest_);
    return true;
  }

  Command& command_;
  Session& session_;
  int32_t line_;
  std::string_view rest_;
  CommandSpans* spans_;
  const Value* value_ = nullptr;  // the value named, once resolved
};

const CommandTableEntry* FindCommandRow(std::string_view name) {
  static const NameIndex rowNames = [] {
    std::vector<const char*> names;
    for (const CommandTableEntry& row : CommandTable()) names.push_back(row.name);
    return NameIndex(names);  // names are unique ignoring case, so the order does not matter
  }();
  const int32_t row = rowNames.Find(name);
  return row < 0 ? nullptr : &CommandTable()[static_cast<size_t>(row)];
}

}  // namespace

int32_t PackKeyCode(int32_t key, int32_t modifiers) {
  const uint32_t magnitude = key < 0 ? 0u - static_cast<uint32_t>(key) : static_cast<uint32_t>(key);
  uint32_t packed = (magnitude & 0xFFFFu) | ((static_cast<uint32_t>(modifiers) & 0xFFFu) << 16);
  if (key < 0) packed |= 0xF0000000u;
  return static_cast<int32_t>(packed);
}

bool ReadCommandHead(std::string_view text, CommandHead& head) {
  head = {};
  if (!text.empty() && (text.front() == '+' || text.front() == '-' || text.front() == '!')) {
    if (text.front() == '-') head.phase = CommandPhase::OnDeactivate;
    if (text.front() == '!') head.phase = CommandPhase::OnLoad;
    head.prefix = text.substr(0, 1);
    text.remove_prefix(1);
  }
  const size_t nameLength = AlnumPrefixLength(text);
  head.name = text.substr(0, nameLength);
  head.rest = TrimLeft(text.substr(nameLength));
  return nameLength > 0;
}

ProfileState KeywordState(std::string_view name) {
  if (EqualIgnoringCase(name, "skip")) return ProfileState::Skipped;
  if (EqualIgnoringCase(name, "disable")) return ProfileState::Discarded;
  return ProfileState::Normal;
}

bool ParseCommand(Session& session, Profile* profile, int32_t line, std::string_view text,
                  Command& command, CommandSpans* spans) {
  CommandHead head;
  const bool named = ReadCommandHead(text, head);
  if (spans != nullptr) spans->head = head;
  if (!named) {
    LogAtLine(session.messageQueue, line, "Invalid syntax for command!");
    return false;
  }

  // Profile keywords mark the profile being built instead of making a command.
  const ProfileState keyword = KeywordState(head.name);
  if (keyword != ProfileState::Normal) {
    if (profile != nullptr) profile->state = keyword;
    return false;
  }

  const CommandTableEntry* row = FindCommandRow(head.name);
  if (row == nullptr) {
    LogAtLine(session.messageQueue, line, "Unknown command '%s'!", std::string(head.name).c_str());
    return false;
  }

  command.id = row->id;
  command.phase = head.phase;
  command.line = line;
  ArgumentReader reader(session, command, line, head.rest, spans);
  return reader.Read();
}
