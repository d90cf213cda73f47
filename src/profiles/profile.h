#pragma once
// Profile, condition and command records: what the parsers build from a configuration block.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host.h"
#include "profiles/operand.h"
#include "values/frame_context.h"
#include "values/value_data.h"

enum class ProfileType : uint8_t { Exclusive = 0, Parallel = 1, Default = 2 };
enum class ProfileState : uint8_t { Normal = 0, Skipped = 1, Discarded = 2 };
enum class CommandPhase : uint8_t { OnActivate = 0, OnDeactivate = 1, OnLoad = 2 };
// The host camera when a profile became current, for ReturnPerson.
enum class CameraAtActivation : uint8_t { Other = 0, HeadCamera = 1, FirstPerson = 2 };

// Kept as a plain number in the record: any other code compares false everywhere.
namespace ConditionOp {
enum : int32_t {
  Equal = 0,           // "==", "=", no operator
  NotEqual = 1,        // "!="
  Greater = 2,         // ">"
  Less = 3,            // "<"
  GreaterOrEqual = 4,  // ">="
  LessOrEqual = 5,     // "<="
  Contains = 6,        // "&"
  NotContains = 7,     // "~", "~~"
};
}

enum class CommandId : uint8_t {
  Disable = 0,
  Enable = 1,
  Activate = 2,
  Deactivate = 3,
  GoThirdPerson = 4,
  ForceThirdPerson = 5,
  GoFirstPerson = 6,
  ForceFirstPerson = 7,
  Reset = 8,
  Set = 9,
  Modify = 10,
  Return = 11,
  Clear = 12,
  ResetTween = 13,
  SetTween = 14,
  ModifyTween = 15,
  ReturnTween = 16,
  SetProfile = 17,
  RunProfile = 18,
  BindKey = 19,
  UnBindKey = 20,
  BindKey2 = 21,
  Reload = 22,
  Inhibit = 23,
  ReturnPerson = 24,
  AttachCamera = 25,
  DetachCamera = 26,
  RotateX = 27,
  RotateY = 28,
  SendAnimEvent = 29,
};

struct Condition;
struct Command;
struct Profile;
struct Session;

// Both act for the frame's followed reference; outside a frame the context follows none. A
// command acts for `owner`, the profile whose commands are running.
using ConditionEvaluator = bool (*)(Session& session, const FrameContext& frame,
                                    Condition* condition);
using CommandHandler = void (*)(Session& session, const FrameContext& frame, Profile* owner,
                                Command* command);

// The records are small and hold no pointer the session could derive: a load builds
// thousands of them, and their texts lie in the session's pool.
struct Condition {
  Operand operand;                         // the keyword tests may rewrite it in place
  ConditionEvaluator evaluator = nullptr;  // null: the condition fails
  int32_t line = 0;                        // configuration line, for the tool's findings
  int16_t valueIndex = -1;                 // -1 for the host tests
  int8_t op = ConditionOp::Equal;
};

struct Command {
  // Bit-fields set here, not by member initializers: see Operand.
  Command() : id(CommandId::Disable), phase(CommandPhase::OnActivate) {}

  Operand operand;
  float seconds = 0;
  int32_t keyWord = 0;      // key commands: key, modifiers and edge packed (PackKeyCode)
  int32_t line = 0;         // configuration line, for the tool's findings
  int16_t valueIndex = -1;  // the value a value command acts on
  CommandId id : 6;         // its handler is the command table's for the id
  CommandPhase phase : 2;
  int8_t rotationMode = -1;  // RotateX, RotateY: the mode 0-2 as written; -1 for any other
};

// Records stay put once the loader has filled a profile's arrays (it reserves them first):
// nothing keeps a pointer to one across a change of the array.
// The small fields come last, packed: a load builds thousands of profiles.
struct Profile {
  int32_t index = 0;
  int32_t line = 1;  // the header's line; 1 for the default profile
  std::string name;
  std::vector<Condition> conditions;
  std::vector<Command> commands;
  std::unordered_map<int32_t, ValueData> savedValues;  // values before this profile changed them
  float inhibitSeconds = 0;
  CameraAtActivation cameraAtActivation = CameraAtActivation::Other;
  ProfileState state = ProfileState::Normal;
  int8_t active = 0;  // parallel profiles: 1 while activated
  ProfileType type = ProfileType::Exclusive;
};
