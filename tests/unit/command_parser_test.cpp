// Tests of the command parser: argument forms, tweens and refusals.

#include <gtest/gtest.h>

#include "parsed_record.h"
#include "profiles/command_table.h"
#include "values_fixture.h"

namespace {

struct CommandCase {
  const char* text;
  CommandId id;
  CommandPhase phase;
  int32_t argument;  // the field the command's form writes: value index, key word or mode
  ValueData operand;
  float seconds;
};

constexpr auto kActivate = CommandPhase::OnActivate;
const ValueData kUnset = ValueData::Unset(ValueType::Bool);

class CommandParser : public RegistryTest {
 protected:
  std::unique_ptr<Command> Parse(const char* text, int32_t line = 1) {
    return ParseCommand(session, &profile, line, text);
  }
  Profile profile;

  // The typed field a command's form writes; the other two must keep their defaults.
  static int32_t Argument(const Command& command) {
    switch (command.id) {
      case CommandId::BindKey:
      case CommandId::BindKey2:
      case CommandId::UnBindKey:
        EXPECT_EQ(command.valueIndex, -1);
        EXPECT_EQ(command.rotationMode, -1);
        return command.keyWord;
      case CommandId::RotateX:
      case CommandId::RotateY:
        EXPECT_EQ(command.valueIndex, -1);
        EXPECT_EQ(command.keyWord, 0);
        return command.rotationMode;
      default:
        EXPECT_EQ(command.keyWord, 0);
        EXPECT_EQ(command.rotationMode, -1);
        return command.valueIndex;
    }
  }
};

}  // namespace

TEST_F(CommandParser, ArgumentForms) {
  const CommandCase cases[] = {
      {"Set fFOV 90", CommandId::Set, kActivate, Vid::fFOV, ValueData::Float(90), 0},
      {"-Set fFOV 90", CommandId::Set, CommandPhase::OnDeactivate, Vid::fFOV, ValueData::Float(90), 0},
      {"!modify FFOV 90", CommandId::Modify, CommandPhase::OnLoad, Vid::fFOV, ValueData::Float(90), 0},
      {"+Set fFOV", CommandId::Set, kActivate, Vid::fFOV, ValueData::Float(0), 0},
      {"Set fFOV wide", CommandId::Set, kActivate, Vid::fFOV, ValueData::Unset(ValueType::Float), 0},
      {"Set fFOV 90 ; note", CommandId::Set, kActivate, Vid::fFOV, ValueData::Unset(ValueType::Float), 0},
      {"Set sRace \"Two Words\"", CommandId::Set, kActivate, Vid::sRace, ValueData::String("\"Two Words\""), 0},
      {"Reset fFOV", CommandId::Reset, kActivate, Vid::fFOV, kUnset, 0},
      {"Clear fFOV", CommandId::Clear, kActivate, Vid::fFOV, kUnset, 0},
      {"SetTween fFOV 90 2.5", CommandId::SetTween, kActivate, Vid::fFOV, ValueData::Float(90), 2.5f},
      {"SetTween fFOV", CommandId::SetTween, kActivate, Vid::fFOV, ValueData::Float(0), 0},
      {"SetTween sRace \"Two Words\" 1", CommandId::SetTween, kActivate, Vid::sRace, ValueData::String("Two Words"), 1},
      {"ReturnTween fFOV 3", CommandId::ReturnTween, kActivate, Vid::fFOV, kUnset, 3},
      {"ResetTween fFOV", CommandId::ResetTween, kActivate, Vid::fFOV, kUnset, 0},
      {"SetProfile Combat 5", CommandId::SetProfile, kActivate, -1, ValueData::String("Combat"), 5},
      {"SetProfile \"Two Words\"", CommandId::SetProfile, kActivate, -1, ValueData::String("Two Words"), 0},
      {"RunProfile Combat 5", CommandId::RunProfile, kActivate, -1, ValueData::String("Combat"), 0},
      {"Inhibit Combat", CommandId::Inhibit, kActivate, -1, ValueData::String("Combat"), 0},
      {"Inhibit Combat always", CommandId::Inhibit, kActivate, -1, ValueData::String("Combat"), -1},
      {"BindKey 42 0 Combat", CommandId::BindKey, kActivate, 0x2A, ValueData::String("Combat"), 0},
      {"BindKey2 0x2A 1 Combat 0.5", CommandId::BindKey2, kActivate, 0x0021002A, ValueData::String("Combat"), 0.5f},
      {"BindKey -42 0 Combat", CommandId::BindKey, kActivate, static_cast<int32_t>(0xF000002A), ValueData::String("Combat"), 0},
      {"BindKey 42 0", CommandId::BindKey, kActivate, 0x2A, ValueData::String(""), 0},
      {"BindKey 42 1Z Combat", CommandId::BindKey, kActivate, 0x1002A, ValueData::String("Z"), 0},
      {"UnBindKey 42 3", CommandId::UnBindKey, kActivate, 0x2A, kUnset, 0},
      {"RotateX 15", CommandId::RotateX, kActivate, -1, ValueData::Float(15), 0},
      {"RotateY 15 0.5 2", CommandId::RotateY, kActivate, 2, ValueData::Float(15), 0.5f},
      {"RotateX 15 soon 2", CommandId::RotateX, kActivate, 2, ValueData::Float(15), 0},
      {"RotateX 15 0.5 258", CommandId::RotateX, kActivate, -1, ValueData::Float(15), 0.5f},
      {"SendAnimEvent  weapon Draw", CommandId::SendAnimEvent, kActivate, -1, ValueData::String("weapon Draw"), 0},
      {"Enable please", CommandId::Enable, kActivate, -1, kUnset, 0},
      {"goFIRSTperson", CommandId::GoFirstPerson, kActivate, -1, kUnset, 0},
  };
  for (const CommandCase& c : cases) {
    const auto command = Parse(c.text);
    ASSERT_NE(command, nullptr) << c.text;
    EXPECT_EQ(command->id, c.id) << c.text;
    EXPECT_EQ(command->phase, c.phase) << c.text;
    EXPECT_EQ(Argument(*command), c.argument) << c.text;
    EXPECT_EQ(command->operand.isSet, c.operand.isSet) << c.text;
    EXPECT_EQ(command->operand.type, c.operand.type) << c.text;
    EXPECT_EQ(command->operand.payload, c.operand.payload) << c.text;
    EXPECT_EQ(command->operand.Text(), c.operand.text) << c.text;
    EXPECT_EQ(command->seconds, c.seconds) << c.text;
    EXPECT_NE(HandlerOf(command->id), nullptr) << c.text;
  }
  EXPECT_TRUE(session.messageQueue.empty());
}

TEST_F(CommandParser, UnspecifiedTweenLengthKeepsTheCommand) {
  const auto command = Parse("SetTween fFOV 90 slow", 9);
  ASSERT_NE(command, nullptr);
  EXPECT_FLOAT_EQ(command->seconds, 0.2f);
  EXPECT_EQ(session.messageQueue, std::deque<std::string>{"Vantrel(9): Unspecified tween length!"});
}

TEST_F(CommandParser, RefusalsAndTheirMessages) {
  const std::pair<const char*, const char*> cases[] = {
      {"+ Set fFOV 90", "Invalid syntax for command!"},
      {"++Set fFOV 90", "Invalid syntax for command!"},
      {"Enable2", "Unknown command 'Enable2'!"},
      {"Set", "Invalid syntax for command! Value name is expected."},
      {"Set :fFOV 90", "Invalid syntax for command! Value name is expected."},
      {"Set f_FOV 90", "Unknown value 'f'!"},
      {"Reset fFOV 2", "Unknown value 'fFOV 2'!"},
      {"Reset a%b", "Unknown value 'a%%b'!"},
      {"ResetTween", "Invalid syntax for command! Value name is expected."},
      {"SetProfile", "Invalid syntax for command! Profile name is expected."},
      {"UnBindKey x", "Invalid syntax for command! Key is expected."},
      {"UnBindKey 08", "Invalid syntax for command! Key is expected as integer value."},
      {"BindKey", "Invalid syntax for command! Key is expected."},
      {"BindKey 42 Combat", "Invalid syntax for command! Key modifier is expected."},
      {"BindKey 42", "Invalid syntax for command! Key modifier is expected."},
      {"BindKey 4x2 0 Combat", "Invalid syntax for command! Key modifier is expected."},
      {"BindKey 5X 0 Combat", "Invalid syntax for command! Key is expected as integer value."},
      {"BindKey 5 0X Combat", "Invalid syntax for command! Key modifier is expected as integer value."},
      {"RotateX", "Invalid syntax for command! Value is expected."},
      {"RotateX left", "Invalid syntax for command! Value is expected."},
      {"SendAnimEvent", "Invalid syntax for command! Event name is expected."},
  };
  for (const auto& [text, message] : cases) {
    session.messageQueue.clear();
    EXPECT_EQ(Parse(text, 3), nullptr) << text;
    EXPECT_EQ(session.messageQueue, std::deque<std::string>{std::string("Vantrel(3): ") + message})
        << text;
  }
}

TEST_F(CommandParser, ProfileKeywordsLastOneDecides) {
  for (const char* keyword : {"Disable", "disable", "DISABLE", "-disable now"}) {
    profile.state = ProfileState::Normal;
    EXPECT_EQ(Parse(keyword), nullptr);
    EXPECT_EQ(profile.state, ProfileState::Discarded) << keyword;
  }
  EXPECT_EQ(Parse("skip"), nullptr);
  EXPECT_EQ(profile.state, ProfileState::Skipped);
  EXPECT_TRUE(session.messageQueue.empty());
}

TEST(PackKeyCode, FieldsAndSign) {
  EXPECT_EQ(PackKeyCode(0x12345, 0x1FFF), 0x0FFF2345);
  EXPECT_EQ(PackKeyCode(-2147483647 - 1, 0), static_cast<int32_t>(0xF0000000));
  EXPECT_EQ(PackKeyCode(-1, 0x21), static_cast<int32_t>(0xF0210001));
}

// The tool names commands by id: two rows sharing an id would name one of them wrongly.
TEST(CommandName, EachIdNamesTheRowThatCarriesIt) {
  for (const CommandTableEntry& row : CommandTable()) {
    EXPECT_STREQ(CommandName(row.id), row.name);
  }
}
