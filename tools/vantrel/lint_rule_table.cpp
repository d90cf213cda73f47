// The table of lint rules.

#include "lint_rule_table.h"

namespace {

constexpr LintRule kRules[] = {
    {"load", Severity::Error,
     "A line the game refuses while loading: it prints the message on its console and drops the "
     "line (a condition or command; a header still opens its profile).",
     "The rest of the file loads, so the profile works without that line, which is easy to "
     "miss in the game. A misspelt name that is close to one name only is replaced by --fix.",
     "Set fFov2 90\nSett fFOV 90",
     "Set fFOV 90\nSet fFOV 90"},
    {"file-format", Severity::Error,
     "What the game makes of the file's bytes before any line means anything: a byte-order "
     "mark, a file saved as UTF-16, a Ctrl-Z, a zero byte, or a line longer than 1,022 "
     "characters.",
     "The game reads the file byte by byte as plain text. A UTF-8 byte-order mark becomes part "
     "of line 1, which is then refused as a command; in a UTF-16 file (what some Windows "
     "editors call \"Unicode\") every other byte is zero and each line ends at the first one, "
     "so nothing loads; the reading stops at a Ctrl-Z; a line's text ends at a zero byte; and "
     "a longer line reaches the game in pieces of 1,023 characters, each read as a line of "
     "its own. --fix removes a byte-order mark.",
     "(a file saved as UTF-8 with BOM, or as Unicode)",
     "(the same file saved as UTF-8 without BOM, or as ANSI)"},
    {"missing-profile", Severity::Warning,
     "SetProfile, RunProfile, Inhibit, BindKey or BindKey2 names a profile that does not exist, "
     "is disabled, or has blanks in its name and no quotes around it.",
     "SetProfile then switches to the default profile, a BindKey or BindKey2 key binds "
     "nothing, and RunProfile and Inhibit do nothing. A name with blanks must be written in "
     "double quotes, or only its first word is read. --fix corrects a name close to one "
     "profile's only, and adds missing quotes.",
     "BindKey 112 0 Combat aiming\n[Combat aiming]\n(bAimBow)",
     "BindKey 112 0 \"Combat aiming\"\n[Combat aiming]\n(bAimBow)"},
    {"duplicate-profile", Severity::Warning,
     "A profile has the name of an earlier profile (ignoring case).",
     "Both profiles work on their conditions, but every command that names the profile reaches "
     "only the first of them.",
     "[Combat]\n(bWeaponOut)\n[combat]\n(bMounted)",
     "[Combat]\n(bWeaponOut)\n[Mounted combat]\n(bMounted)"},
    {"unreachable-profile", Severity::Warning,
     "An exclusive or parallel profile that nothing can make active: it has no conditions or "
     "is marked skip, and no SetProfile, RunProfile, BindKey or BindKey2 names it.",
     "The profile update only chooses a profile whose conditions all hold, and a profile "
     "without conditions never qualifies; a skip profile is never chosen. Its commands never "
     "run.",
     "[Lonely]\nSet fFOV 60",
     "[Lonely]\n(bSneaking)\nSet fFOV 60"},
    {"shadowed-profile", Severity::Warning,
     "An exclusive profile whose conditions include all of an earlier exclusive profile's, so "
     "the earlier one always wins.",
     "The profile update takes the first exclusive profile in the file whose conditions hold; "
     "whenever the later one would hold, the earlier one holds as well. Unless an Inhibit "
     "names the earlier profile, the later one is never current.",
     "[Combat]\n(bWeaponOut)\n[Combat aiming]\n(bWeaponOut)\n(bAimBow)",
     "[Combat aiming]\n(bWeaponOut)\n(bAimBow)\n[Combat]\n(bWeaponOut)"},
    {"parallel-target", Severity::Warning,
     "SetProfile or BindKey names a parallel profile.",
     "Only exclusive profiles can become current: SetProfile and a BindKey key switch to the "
     "default profile instead. To run a parallel profile's commands, use RunProfile or "
     "BindKey2.",
     "BindKey 113 0 Overlay\n{Overlay}\n(bSneaking)",
     "BindKey2 113 0 Overlay\n{Overlay}\n(bSneaking)"},
    {"never-holds", Severity::Warning,
     "A condition that can never hold, so its profile never applies through it.",
     "A condition fails whenever its operand does not read as the value's type (\"on\" for "
     "true, \"08\", a blank before the bracket, \"0x3C\" for a decimal value, \"> = 100\", a "
     "form id above 2147483647), even with \"!=\"; the game tests (Faction, Perk, Keyword, "
     "WornHasKeyword, MagicEffectKeyword) and text values answer false to >, <, >= and <=, and "
     "Faction to ~; a text operand ending in a blank never equals the game's text; and two "
     "conditions of one profile can contradict each other.",
     "[Combat]\n(Perk >= 0x58F6E)\n(iCameraState == 08)\n(bWeaponOut)\n(bWeaponOut == false)",
     "[Combat]\n(Perk = 0x58F6E)\n(iCameraState == 8)\n(bWeaponOut)"},
    {"unread-value", Severity::Warning,
     "A command whose value, time or mode does not read as what it expects, so it sets "
     "something else than written.",
     "There are no comments after a command: \"Set fNearClip 5 ; closer\" does not read as a "
     "number, and a Set or SetTween whose value does not read makes the value unset, as Clear "
     "does (Modify does nothing). Seconds that do not read give SetProfile and key bindings no "
     "lock, Inhibit an endless inhibit, and a rotation no duration.",
     "Set fNearClip 5 ; closer\nSet bHeadtrack on\nSet fFOV 6,5",
     "; closer\nSet fNearClip 5\nSet bHeadtrack true\nSet fFOV 6.5"},
    {"overwritten-value", Severity::Warning,
     "Set, Modify, Reset, Clear or a tween of a game-state value.",
     "Game-state values (bWeaponOut, sRace, iCameraState, ...) are read from the game at every "
     "profile update that needs them; the game refuses every command that tries to change one, "
     "so the command does nothing.",
     "Set bWeaponOut true",
     "Set bActivated true"},
    {"return-without-change", Severity::Warning,
     "Return or ReturnTween of a value that no activation command of its profile changes "
     "(before it, for a Return among the activation commands).",
     "Return restores what the profile's activation commands recorded; Reset and ResetTween "
     "record nothing, nor does a command on a game-state value, and a ! Return runs before "
     "anything is recorded. With nothing recorded, Return does nothing.",
     "[Zoom]\n(bAimBow)\nReset fFOV\n-Return fFOV",
     "[Zoom]\n(bAimBow)\nSet fFOV 40\n-Return fFOV"},
    {"conflicting-key", Severity::Warning,
     "A key binding that replaces an earlier one's action on the same key and edge (press or "
     "release) while both run together, whatever their modifiers.",
     "A binding replaces the action of every earlier binding of the same key on the same edge, "
     "BindKey and BindKey2 alike: after 'BindKey 112 0 A' and 'BindKey 112 1 B', F1 alone "
     "does nothing, only Ctrl+F1 acts. Bindings run together when they are commands of one "
     "profile and phase, or the default profile's ! and activation commands.",
     "BindKey 112 0 Combat\nBindKey 112 1 Sneaking\n[Combat]\n(bWeaponOut)\n[Sneaking]\n(bSneaking)",
     "BindKey 112 0 Combat\nBindKey 113 1 Sneaking\n[Combat]\n(bWeaponOut)\n[Sneaking]\n(bSneaking)"},
    {"ignored-command", Severity::Warning,
     "A command line that loads but never runs, or that is a profile keyword in disguise.",
     "The game runs ! commands only in the default profile, once after loading, before a "
     "character is followed and before the profile first becomes current: elsewhere they never "
     "run, and there SendAnimEvent and ReturnPerson do nothing. \"Disable\" and \"skip\" are "
     "profile keywords whatever prefix they carry: a line \"-Disable\" leaves the whole profile "
     "out of the file rather than disabling the camera.",
     "[Combat]\n(bWeaponOut)\n!Set fFOV 90\n-Disable",
     "[Combat]\n(bWeaponOut)\nSet fFOV 90\n-Set bEnabled false"},
    {"suppression", Severity::Warning,
     "A suppression comment that does nothing: written after a command, or naming no known "
     "rule.",
     "A comment is a line of its own; text after a command is part of the command, so \"Set "
     "fFOV 90 ; vantrel: ignore unread-value\" changes what the game does (the value no longer "
     "reads) and silences nothing. Write \"; vantrel: ignore RULE[,RULE]\" on the line before, "
     "or \"; vantrel: ignore-file RULE[,RULE]\" among the file's first comment lines.",
     "Set fFOV 90 ; vantrel: ignore unread-value",
     "; vantrel: ignore unread-value\nSet fFOV 90"},
};

}  // namespace

std::span<const LintRule> LintRules() { return kRules; }

const LintRule* FindLintRule(std::string_view id) {
  for (const LintRule& rule : kRules) {
    if (id == rule.id) return &rule;
  }
  return nullptr;
}
