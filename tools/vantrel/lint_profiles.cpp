// Rules on profiles and the commands that name them: missing-profile, duplicate-profile,
// unreachable-profile, shadowed-profile, parallel-target.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "base/text.h"
#include "lint_fixes.h"
#include "lint_rules.h"
#include "profiles/command_table.h"
#include "profiles/driver.h"

namespace {

std::string Quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

std::string LineRef(int32_t line) { return "line " + std::to_string(line); }

// The header's name as written, between its brackets.
std::string_view HeaderNameSpan(const LintSource& source, const Profile& profile) {
  const std::string_view text = source.Text(profile.line);
  if (profile.type == ProfileType::Default || text.empty()) return {};
  return text.substr(1, std::min(profile.name.size(), text.size() - 1));
}

// The profile name a by-name command carries, or none for other commands.
std::optional<std::string_view> NamedProfile(const Command& command) {
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
  if (!command.operand.isSet || command.operand.type != ValueType::String) return std::nullopt;
  return command.operand.Text();
}

// Which by-name commands reach each profile, the way commands look names up (the first
// profile of that name, ignoring case): one bit per CommandId.
using Reach = std::unordered_map<const Profile*, uint32_t>;

uint32_t Bit(CommandId id) { return 1u << static_cast<uint32_t>(id); }

Reach ReachOf(Session& session) {
  Reach reach;
  for (const Profile& profile : session.profiles) {
    for (const Command& command : profile.commands) {
      const std::optional<std::string_view> name = NamedProfile(command);
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

// Why a name reaches no profile: a block of that name left out by its "disable" line, or none.
std::string Absence(const LintSource& source, std::string_view name) {
  for (const LintSource::Block& block : source.Blocks()) {
    if (block.state == ProfileState::Discarded && EqualIgnoringCase(block.name, name)) {
      return "a 'disable' line leaves out of the file (its header is at line " +
             std::to_string(block.line) + ")";
    }
  }
  return "does not exist";
}

// Each name suggestion compares with every profile name; a file that misses more profiles than
// this is not one corrected name by name, and its lint stays linear in its size.
constexpr int kMaxProfileNameSuggestions = 200;

void MissingProfiles(LintContext& context) {
  Session& session = context.session;
  LintSource& source = context.source;
  int suggestions = 0;
  std::vector<std::string> names;
  for (const Profile& profile : session.profiles) names.push_back(profile.name);
  for (const Profile& profile : session.profiles) {
    for (const Command& command : profile.commands) {
      const std::optional<std::string_view> name = NamedProfile(command);
      if (!name) continue;
      const bool found = FindProfile(session, *name) != nullptr;
      const CommandSpans spans = source.CommandAt(command.line);
      const std::string_view full = ProfileNameWithBlanks(session, source.Text(command.line),
                                                          spans.operand);
      if (found && full.empty()) continue;
      std::string message = std::string(CommandName(command.id)) + " names profile " +
                            Quoted(*name) + ", which " +
                            (found ? std::string("is not ") + Quoted(full)
                                   : Absence(source, *name));
      if (!full.empty()) message += ": a name with blanks is read only when quoted";
      Finding finding = source.At("missing-profile", Severity::Warning, std::move(message),
                                  command.line, spans.operand);
      if (!full.empty()) {
        finding.fixes.push_back(QuoteFix(source, full));
      } else if (suggestions++ < kMaxProfileNameSuggestions) {
        AddNameFix(source, finding, spans.operand, names);
      }
      context.findings.push_back(std::move(finding));
    }
  }
}

void ParallelTargets(LintContext& context) {
  Session& session = context.session;
  for (const Profile& profile : session.profiles) {
    for (const Command& command : profile.commands) {
      if (command.id != CommandId::SetProfile && command.id != CommandId::BindKey) continue;
      const std::optional<std::string_view> name = NamedProfile(command);
      const Profile* target = name ? FindProfile(session, *name) : nullptr;
      if (target == nullptr || target->type != ProfileType::Parallel) continue;
      const CommandSpans spans = context.source.CommandAt(command.line);
      const bool setProfile = command.id == CommandId::SetProfile;
      Finding finding = context.source.At(
          "parallel-target", Severity::Warning,
          std::string(CommandName(command.id)) + " names the parallel profile " +
              Quoted(target->name) + ", which cannot become current: it switches to the " +
              "default profile instead (" + (setProfile ? "RunProfile" : "BindKey2") +
              " runs the profile's commands)",
          command.line, spans.operand);
      finding.related.push_back(context.source.Related(
          target->line, HeaderNameSpan(context.source, *target), "the parallel profile"));
      const char* instead = setProfile ? "RunProfile" : "BindKey2";
      finding.fixes.push_back(ReplaceFix(context.source, spans.head.name, instead, false,
                                         std::string("use ") + instead));
      context.findings.push_back(std::move(finding));
    }
  }
}

void DuplicateProfiles(LintContext& context) {
  for (const Profile& profile : context.session.profiles) {
    const Profile* first = FindProfile(context.session, profile.name);
    if (first == nullptr || first == &profile) continue;
    Finding finding = context.source.At(
        "duplicate-profile", Severity::Warning,
        "profile " + Quoted(profile.name) + " has the name of the profile at " +
            LineRef(first->line) + "; commands that name it reach only that one",
        profile.line, HeaderNameSpan(context.source, profile));
    finding.related.push_back(context.source.Related(
        first->line, HeaderNameSpan(context.source, *first), "the profile commands reach"));
    context.findings.push_back(std::move(finding));
  }
}

void UnreachableProfiles(LintContext& context, const Reach& reach) {
  const uint32_t activating = Bit(CommandId::SetProfile) | Bit(CommandId::RunProfile) |
                              Bit(CommandId::BindKey) | Bit(CommandId::BindKey2);
  for (const Profile& profile : context.session.profiles) {
    if (profile.type == ProfileType::Default) continue;
    const bool skipped = profile.state == ProfileState::Skipped;
    if (!skipped && !profile.conditions.empty()) continue;
    if (ReachedBy(reach, profile, activating)) continue;
    const std::string becomes =
        profile.type == ProfileType::Parallel ? "becomes active" : "becomes current";
    const std::string why = skipped ? "it is marked skip" : "it has no conditions";
    context.findings.push_back(context.source.At(
        "unreachable-profile", Severity::Warning,
        "profile " + Quoted(profile.name) + " never " + becomes + ": " + why +
            ", and no SetProfile, RunProfile, BindKey or BindKey2 names it",
        profile.line, HeaderNameSpan(context.source, profile)));
  }
}

// A condition as written, for comparing: the same name (value or host test), the same operator
// ("=" and "==" are one code), and the operand by its value, a text ignoring case only: the
// game never trims the file's side, so 'Elf ' and 'Elf' are two conditions. An operand that did
// not parse equals nothing: it has no key.
std::optional<std::string> ConditionKey(const Condition& condition) {
  const Operand& operand = condition.operand;
  if (!operand.isSet) return std::nullopt;
  std::string key = std::to_string(reinterpret_cast<uintptr_t>(condition.evaluator)) + "|" +
                    std::to_string(condition.valueIndex) + "|" + std::to_string(condition.op) +
                    "|" + std::to_string(static_cast<int>(operand.type)) + "|";
  if (operand.type != ValueType::String) return key + std::to_string(operand.payload);
  for (const char c : operand.Text()) {
    key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

bool CompetesForCurrent(const Profile& profile) {
  return profile.type == ProfileType::Exclusive && profile.state == ProfileState::Normal;
}

// A later exclusive profile is shadowed by the first earlier one whose conditions it all has.
// Each possible winner is filed under its rarest condition, so a profile is compared only with
// the winners filed under one of its own conditions.
void ShadowedProfiles(LintContext& context, const Reach& reach) {
  const auto& profiles = context.session.profiles;
  std::vector<std::unordered_set<std::string>> keys(profiles.size());
  std::unordered_map<std::string, size_t> frequency;
  for (size_t i = 0; i < profiles.size(); ++i) {
    if (!CompetesForCurrent(profiles[i])) continue;
    for (const Condition& condition : profiles[i].conditions) {
      if (const std::optional<std::string> key = ConditionKey(condition)) keys[i].insert(*key);
    }
    for (const std::string& key : keys[i]) ++frequency[key];
  }
  std::unordered_map<std::string, std::vector<size_t>> winnersByKey;
  for (size_t later = 0; later < profiles.size(); ++later) {
    const Profile& shadowed = profiles[later];
    if (!CompetesForCurrent(shadowed)) continue;
    size_t winner = later;
    for (const std::string& key : keys[later]) {
      const auto filed = winnersByKey.find(key);
      if (filed == winnersByKey.end()) continue;
      for (const size_t earlier : filed->second) {
        if (earlier >= winner) break;
        const bool included = std::all_of(keys[earlier].begin(), keys[earlier].end(),
                                          [&](const std::string& k) { return keys[later].count(k); });
        if (included) winner = earlier;
      }
    }
    if (winner != later) {
      const Profile& first = profiles[winner];
      Finding finding = context.source.At(
          "shadowed-profile", Severity::Warning,
          "profile " + Quoted(shadowed.name) + " is shadowed by " + Quoted(first.name) + " at " +
              LineRef(first.line) + ": whenever its conditions hold, those of " +
              Quoted(first.name) + " hold too, and that profile comes first",
          shadowed.line, HeaderNameSpan(context.source, shadowed));
      finding.related.push_back(context.source.Related(
          first.line, HeaderNameSpan(context.source, first), "the profile that wins"));
      context.findings.push_back(std::move(finding));
    }
    // A winner needs conditions that all read (one that does not never holds) and no Inhibit.
    const bool allRead = std::all_of(shadowed.conditions.begin(), shadowed.conditions.end(),
                                     [](const Condition& c) { return c.operand.isSet; });
    if (shadowed.conditions.empty() || !allRead ||
        ReachedBy(reach, shadowed, Bit(CommandId::Inhibit))) {
      continue;
    }
    const auto rarest = std::min_element(
        keys[later].begin(), keys[later].end(),
        [&](const std::string& a, const std::string& b) { return frequency[a] < frequency[b]; });
    winnersByKey[*rarest].push_back(later);
  }
}

}  // namespace

void ProfileFindings(LintContext& context) {
  MissingProfiles(context);
  ParallelTargets(context);
  DuplicateProfiles(context);
  const Reach reach = ReachOf(context.session);
  UnreachableProfiles(context, reach);
  ShadowedProfiles(context, reach);
}
