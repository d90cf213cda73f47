// Rules: missing-profile, duplicate-profile, unreachable-profile, shadowed-profile,
// never-holds, return-without-change, conflicting-key. Each works on the loader's records:
// a line that failed to load is no condition or command here.
#include "lint_rules.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "base/text.h"
#include "name_suggestion.h"
#include "profiles/commands.h"
#include "profiles/driver.h"
#include "profiles/evaluators.h"
#include "plugin/plugin.h"
#include "profiles/profile.h"
#include "profiles/session.h"
#include "values/registry.h"
#include "values/value_table.h"

namespace {

using Profiles = decltype(Session::profiles);

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

std::string LineRef(int32_t line) { return "line " + std::to_string(line); }

// The profile name a by-name command carries, or none for other commands.
std::optional<std::string> NamedProfile(const Command& command) {
  switch (command.id) {
    case CommandId::SetProfile:
    case CommandId::RunProfile:
    case CommandId::Inhibit:
    case CommandId::BindKey:
    case CommandId::BindKey2:
      break;
    default:
      return std::nullopt;
  }
  const Operand& operand = command.operand;
  if (!operand.isSet || operand.type != ValueType::String) return std::nullopt;
  return std::string(operand.Text());
}

// Which by-name commands reach each profile, the way commands look names up (the first
// profile of that name, ignoring case): one bit per CommandId.
using Reach = std::unordered_map<const Profile*, uint32_t>;

uint32_t Bit(CommandId id) { return 1u << static_cast<uint32_t>(id); }

Reach ReachOf(Session& session) {
  Reach reach;
  for (const auto& profile : session.profiles) {
    for (const auto& command : profile.commands) {
      const std::optional<std::string> name = NamedProfile(command);
      if (!name) continue;
      if (const Profile* target = FindProfile(session, *name)) reach[target] |= Bit(command.id);
    }
  }
  return reach;
}

bool ReachedBy(const Reach& reach, const Profile& target, uint32_t ids) {
  const auto found = reach.find(&target);
  return found != reach.end() && (found->second & ids) != 0;
}

void MissingProfiles(Session& session, std::vector<Finding>& out) {
  std::vector<std::string> names;
  for (const auto& profile : session.profiles) names.push_back(profile.name);
  for (const auto& profile : session.profiles) {
    for (const auto& command : profile.commands) {
      const std::optional<std::string> name = NamedProfile(command);
      if (!name || FindProfile(session, *name) != nullptr) continue;
      out.push_back({command.line, Severity::Warning, "missing-profile",
                     std::string(CommandName(command.id)) + " names profile " + Quoted(*name) +
                         ", which does not exist or is disabled",
                     ClosestName(*name, names)});
    }
  }
}

void DuplicateProfiles(Session& session, std::vector<Finding>& out) {
  for (const auto& profile : session.profiles) {
    const Profile* first = FindProfile(session, profile.name);
    if (first == nullptr || first == &profile) continue;
    out.push_back({profile.line, Severity::Warning, "duplicate-profile",
                   "profile " + Quoted(profile.name) + " has the name of the profile at " +
                       LineRef(first->line) + "; commands that name it reach only that one",
                   ""});
  }
}

void UnreachableProfiles(const Profiles& profiles, const Reach& reach, std::vector<Finding>& out) {
  const uint32_t activating = Bit(CommandId::SetProfile) | Bit(CommandId::RunProfile) |
                              Bit(CommandId::BindKey) | Bit(CommandId::BindKey2);
  for (const auto& profile : profiles) {
    if (profile.type == ProfileType::Default) continue;
    const bool skipped = profile.state == ProfileState::Skipped;
    if (!skipped && !profile.conditions.empty()) continue;
    if (ReachedBy(reach, profile, activating)) continue;
    const std::string becomes =
        profile.type == ProfileType::Parallel ? "becomes active" : "becomes current";
    const std::string why = skipped ? "it is marked skip" : "it has no conditions";
    out.push_back({profile.line, Severity::Warning, "unreachable-profile",
                   "profile " + Quoted(profile.name) + " never " + becomes + ": " + why +
                       ", and no SetProfile, RunProfile, BindKey or BindKey2 names it",
                   ""});
  }
}

// Conditions compared as written: the same name (value or host test), the same operator
// ("=" and "==" are one code), and operands equal ignoring case and surrounding blanks. An
// operand that did not parse equals nothing.
bool SameCondition(const Condition& a, const Condition& b) {
  if (a.evaluator != b.evaluator || a.valueIndex != b.valueIndex || a.op != b.op) return false;
  const Operand& x = a.operand;
  const Operand& y = b.operand;
  if (!x.isSet || !y.isSet || x.type != y.type) return false;
  if (x.type == ValueType::String) return EqualIgnoringCase(Trim(x.Text()), Trim(y.Text()));
  return x.payload == y.payload;
}

bool IncludesAll(const Profile& later, const Profile& earlier) {
  for (const auto& wanted : earlier.conditions) {
    bool found = false;
    for (const auto& condition : later.conditions)
      found = found || SameCondition(wanted, condition);
    if (!found) return false;
  }
  return true;
}

bool CompetesForCurrent(const Profile& profile) {
  return profile.type == ProfileType::Exclusive && profile.state == ProfileState::Normal;
}

void ShadowedProfiles(const Profiles& profiles, const Reach& reach, std::vector<Finding>& out) {
  for (size_t later = 0; later < profiles.size(); ++later) {
    const Profile& shadowed = profiles[later];
    if (!CompetesForCurrent(shadowed)) continue;
    for (size_t earlier = 0; earlier < later; ++earlier) {
      const Profile& winner = profiles[earlier];
      if (!CompetesForCurrent(winner) || winner.conditions.empty()) continue;
      if (!IncludesAll(shadowed, winner)) continue;
      if (ReachedBy(reach, winner, Bit(CommandId::Inhibit))) continue;
      out.push_back({shadowed.line, Severity::Warning, "shadowed-profile",
                     "profile " + Quoted(shadowed.name) + " is shadowed by " + Quoted(winner.name) +
                         " at " + LineRef(winner.line) +
                         ": whenever its conditions hold, those of " + Quoted(winner.name) +
                         " hold too, and that profile comes first",
                     ""});
      break;
    }
  }
}

bool IsOrdering(int32_t op) {
  return op == ConditionOp::Greater || op == ConditionOp::Less ||
         op == ConditionOp::GreaterOrEqual || op == ConditionOp::LessOrEqual;
}

void NeverHolds(const Profiles& profiles, std::vector<Finding>& out) {
  for (const auto& profile : profiles) {
    for (const auto& condition : profile.conditions) {
      std::string why;
      if (condition.evaluator == CompareValue && condition.operand.type == ValueType::String &&
          IsOrdering(condition.op)) {
        why = std::string(kValueTable[condition.valueIndex].name) +
              " is text, and ordering operators are false on text";
      } else if (condition.evaluator == FactionTest && condition.op == ConditionOp::NotContains) {
        why = "Faction with '~' is always false";
      }
      if (why.empty()) continue;
      out.push_back(
          {condition.line, Severity::Warning, "never-holds", "condition never holds: " + why, ""});
    }
  }
}

// The value an activation command changes (and so records for Return), or -1.
int32_t ChangedValue(const Command& command) {
  switch (command.id) {
    case CommandId::Set:
    case CommandId::SetTween:
    case CommandId::Modify:
    case CommandId::ModifyTween:
    case CommandId::Reset:
    case CommandId::ResetTween:
    case CommandId::Clear:
      return command.valueIndex;
    // These write one fixed value each, recorded like any other.
    case CommandId::Enable:
    case CommandId::Disable:
      return Vid::bEnabled;
    case CommandId::Activate:
    case CommandId::Deactivate:
      return Vid::bActivated;
    default:
      return -1;
  }
}

void ReturnsWithoutChange(const Profiles& profiles, std::vector<Finding>& out) {
  for (const auto& profile : profiles) {
    const auto& commands = profile.commands;
    for (size_t i = 0; i < commands.size(); ++i) {
      const Command& command = commands[i];
      const bool isReturn = command.id == CommandId::Return || command.id == CommandId::ReturnTween;
      if (!isReturn || command.phase == CommandPhase::OnLoad) continue;
      const bool activating = command.phase == CommandPhase::OnActivate;
      // Among the activation commands, only those before the Return have recorded anything.
      const size_t end = activating ? i : commands.size();
      bool recorded = false;
      for (size_t j = 0; j < end && !recorded; ++j) {
        recorded = commands[j].phase == CommandPhase::OnActivate &&
                   ChangedValue(commands[j]) == command.valueIndex;
      }
      if (recorded) continue;
      const std::string value = kValueTable[command.valueIndex].name;
      out.push_back({command.line, Severity::Warning, "return-without-change",
                     std::string(CommandName(command.id)) + " " + value +
                         " restores nothing: no activation command of " + Quoted(profile.name) +
                         " changes " + value + (activating ? " before it" : ""),
                     ""});
    }
  }
}

constexpr uint32_t kRunsProfileBits = 0x20u << 16;

// "-112 with modifiers 1": the key as written, sign included.
std::string KeyDescription(uint32_t word) {
  const int32_t key = static_cast<int32_t>(word & 0xFFFF);
  const uint32_t modifiers = ((word & ~kRunsProfileBits) >> 16) & 0xFFF;
  return std::to_string((word >> 28) != 0 ? -key : key) + " with modifiers " +
         std::to_string(modifiers);
}

void ConflictingKeys(const Profiles& profiles, std::vector<Finding>& out) {
  for (const auto& profile : profiles) {
    const auto& commands = profile.commands;
    for (size_t i = 0; i < commands.size(); ++i) {
      const Command& later = commands[i];
      if (later.id != CommandId::BindKey && later.id != CommandId::BindKey2) continue;
      // BindKey2 only adds the run-profile bit: the chord is the same.
      const uint32_t chord = static_cast<uint32_t>(later.keyWord) & ~kRunsProfileBits;
      if (chord == 0) continue;  // key 0 binds nothing
      for (size_t j = 0; j < i; ++j) {
        const Command& earlier = commands[j];
        if ((earlier.id != CommandId::BindKey && earlier.id != CommandId::BindKey2) ||
            earlier.phase != later.phase ||
            (static_cast<uint32_t>(earlier.keyWord) & ~kRunsProfileBits) != chord) {
          continue;
        }
        out.push_back({later.line, Severity::Warning, "conflicting-key",
                       "key " + KeyDescription(chord) + " is bound again; this binding " +
                           "replaces the one at " + LineRef(earlier.line),
                       ""});
        break;
      }
    }
  }
}

}  // namespace

std::vector<Finding> ProfileFindings() {
  return Plugin::Instance().WithSession([](Session& session) {
    std::vector<Finding> findings;
    const Profiles& profiles = session.profiles;
    MissingProfiles(session, findings);
    DuplicateProfiles(session, findings);
    const Reach reach = ReachOf(session);
    UnreachableProfiles(profiles, reach, findings);
    ShadowedProfiles(profiles, reach, findings);
    NeverHolds(profiles, findings);
    ReturnsWithoutChange(profiles, findings);
    ConflictingKeys(profiles, findings);
    return findings;
  });
}
