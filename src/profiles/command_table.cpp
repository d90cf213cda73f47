// The command table: one row per CommandId, in id order, with its handler and reference entry.
#include "profiles/command_table.h"

#include <array>

#include "profiles/handlers.h"

namespace {
// Reference groups, listed in the order they first appear in the listing.
constexpr const char* kValues = "Changing values";
constexpr const char* kPlugin = "The plug-in and the game camera";
constexpr const char* kProfiles = "Profiles";
constexpr const char* kKeys = "Keys";
constexpr const char* kView = "The followed character and the view";

// `listed` orders the reference as a writer meets the commands: values first, each plain
// form before its tween; it is not the id order.
constexpr std::array<CommandTableEntry, kCommandCount> kCommandTable = {{
    // Never reached from a file: the profile keyword "disable" is matched first.
    {CommandId::Disable, "Disable", DisableHandler, 10,
     {kProfiles, "",
      "Not a command in a file: a line disable, in any letter case, is the profile keyword that "
      "leaves the whole profile out when the file is loaded (a line skip keeps the profile but "
      "never lets the profile updates choose it). To switch the plug-in off, write "
      "Set bEnabled false."}},
    {CommandId::Enable, "Enable", EnableHandler, 9,
     {kPlugin, "", "Sets bEnabled to true: the plug-in works again."}},
    {CommandId::Activate, "Activate", ActivateHandler, 11,
     {kPlugin, "", "Sets bActivated to true: the head view and the look restrictions may start."}},
    {CommandId::Deactivate, "Deactivate", DeactivateHandler, 12,
     {kPlugin, "", "Sets bActivated to false: the head view and the look restrictions stop."}},
    {CommandId::GoThirdPerson, "GoThirdPerson", GoThirdPersonHandler, 13,
     {kPlugin, "", "Asks the game camera to go to third person; nothing without a game camera."}},
    {CommandId::ForceThirdPerson, "ForceThirdPerson", ForceThirdPersonHandler, 15,
     {kPlugin, "", "Forces the game camera into third person; nothing without a game camera."}},
    {CommandId::GoFirstPerson, "GoFirstPerson", GoFirstPersonHandler, 14,
     {kPlugin, "", "Asks the game camera to go to first person; nothing without a game camera."}},
    {CommandId::ForceFirstPerson, "ForceFirstPerson", ForceFirstPersonHandler, 16,
     {kPlugin, "", "Forces the game camera into first person; nothing without a game camera."}},
    {CommandId::Reset, "Reset", ResetHandler, 2,
     {kValues, "NAME",
      "Returns the setting to its base: the game's own value for the settings that mirror one, "
      "otherwise the value a ! command of the default profile gave it. Does nothing when there "
      "is no base. NAME is the whole rest of the line."}},
    {CommandId::Set, "Set", SetHandler, 0,
     {kValues, "NAME VALUE",
      "Sets the setting NAME to VALUE at once. VALUE is read by the setting's type: true, yes, 1 "
      "or false, no, 0; a whole number (decimal, 0x hexadecimal, or octal with a leading 0); or "
      "a decimal number. All the rest of the line is the value, so a note after it spoils it, "
      "and a VALUE that does not read makes the setting unset, as Clear does. Game-state values "
      "cannot be set."}},
    {CommandId::Modify, "Modify", ModifyHandler, 1,
     {kValues, "NAME VALUE",
      "Adds VALUE to a number setting (whole numbers wrap around; a decimal sum too large for "
      "the game leaves the setting as it was), or with true flips a true/false setting (false "
      "keeps it). It works on the value the setting is heading for, "
      "not on the present point of a tween, and does nothing while the setting is unset or when "
      "VALUE does not read."}},
    {CommandId::Return, "Return", ReturnHandler, 3,
     {kValues, "NAME",
      "Sets the setting back to what it was just before this profile's activation (or "
      "RunProfile) last changed it; written with - it undoes the profile's change when the "
      "profile ends. Does nothing when the profile did not change it. NAME is the whole rest of "
      "the line."}},
    {CommandId::Clear, "Clear", ClearHandler, 4,
     {kValues, "NAME",
      "Makes the setting unset, at once and never over a tween: readers then fall back to its "
      "base (see Reset) or, without one, to their own default."}},
    {CommandId::ResetTween, "ResetTween", ResetHandler, 7,
     {kValues, "NAME [SECONDS]", "As Reset, over SECONDS as with SetTween."}},
    {CommandId::SetTween, "SetTween", SetHandler, 5,
     {kValues, "NAME VALUE [SECONDS]",
      "As Set, over SECONDS: a number moves there smoothly, starting from the game's live value "
      "for the settings that mirror one; true/false and whole numbers change when the time is "
      "up. VALUE may be written between double quotes. No SECONDS: at once; SECONDS that is not "
      "a number: 0.2, with the console line \"Unspecified tween length!\"."}},
    {CommandId::ModifyTween, "ModifyTween", ModifyHandler, 6,
     {kValues, "NAME VALUE [SECONDS]",
      "As Modify, over SECONDS as with SetTween; a running tween goes on from where it stands "
      "toward the new target."}},
    {CommandId::ReturnTween, "ReturnTween", ReturnHandler, 8,
     {kValues, "NAME [SECONDS]", "As Return, over SECONDS as with SetTween."}},
    {CommandId::SetProfile, "SetProfile", SetProfileHandler, 17,
     {kProfiles, "NAME [SECONDS]",
      "Switches at once to the exclusive profile NAME if its conditions hold (one without "
      "conditions always qualifies), then keeps the profile updates from switching for SECONDS "
      "of frame time (none: 0). A NAME that matches no exclusive profile means the default "
      "profile. A NAME with spaces is written between double quotes."}},
    {CommandId::RunProfile, "RunProfile", RunProfileHandler, 18,
     {kProfiles, "NAME",
      "Runs the + commands and then the - commands of profile NAME, of any kind and whatever "
      "its conditions; the current profile stays current."}},
    {CommandId::BindKey, "BindKey", BindKeyHandler, 20,
     {kKeys, "KEY MODIFIERS NAME [SECONDS]",
      "From the next frame, pressing KEY switches to profile NAME as SetProfile NAME SECONDS "
      "does. KEY is a Windows virtual-key code (112 is F1, 0x5A is Z); a negative KEY acts when "
      "the key is released instead. MODIFIERS adds up the keys that must be held too: 1 Ctrl, "
      "2 Shift, 4 Alt, 0 none (others may be held as well). A new binding replaces that edge, "
      "press or release, of every earlier binding of the key; a NAME that matches no profile "
      "binds nothing. Bindings outlive the profile that made them and end at a reload."}},
    {CommandId::UnBindKey, "UnBindKey", UnBindKeyHandler, 21,
     {kKeys, "KEY",
      "Removes the press action of every binding of KEY; a negative KEY removes the release "
      "actions, running the release action first while the key is held. The rest of the line "
      "is ignored."}},
    {CommandId::BindKey2, "BindKey2", BindKeyHandler, 22,
     {kKeys, "KEY MODIFIERS NAME [SECONDS]",
      "As BindKey, but the key runs profile NAME as RunProfile does; SECONDS is read and has no "
      "effect."}},
    {CommandId::Reload, "Reload", ReloadHandler, 23,
     {kProfiles, "",
      "Reads the configuration file again at the next frame; the commands after it still run "
      "first. All profiles start anew without running their - commands, key bindings are "
      "cleared, and the game's own values read so far stay the bases that Reset returns to."}},
    {CommandId::Inhibit, "Inhibit", InhibitHandler, 19,
     {kProfiles, "NAME [SECONDS]",
      "Keeps profile NAME out of the profile updates for SECONDS of frame time; an active "
      "parallel profile is deactivated at the next update. 0, or no SECONDS, lifts an inhibit; a "
      "negative number, or a word such as forever, inhibits it until the configuration is "
      "loaded again."}},
    {CommandId::ReturnPerson, "ReturnPerson", ReturnPersonHandler, 24,
     {kPlugin, "",
      "Puts the game camera back as this profile found it when it became current: from a "
      "head-view state (see iCameraState) GoThirdPerson, from the game's first person "
      "GoFirstPerson, otherwise nothing. Nothing in a parallel profile."}},
    {CommandId::AttachCamera, "AttachCamera", AttachCameraHandler, 25,
     {kView, "",
      "The camera follows the reference under the game's crosshair, by the form id that "
      "iObjectRefFormId mirrors; with nothing under the crosshair it follows the player again."}},
    {CommandId::DetachCamera, "DetachCamera", DetachCameraHandler, 26,
     {kView, "",
      "The camera follows the player again: the form id that iObjectRefFormId mirrors becomes "
      "0."}},
    {CommandId::RotateX, "RotateX", RotateXHandler, 27,
     {kView, "AMOUNT [SECONDS [MODE]]",
      "Queues a horizontal turn of the view: AMOUNT is added to the game's look input, in its "
      "own units, as if the player moved the mouse, spread over SECONDS (none or 0: in one "
      "frame). MODE 1, the default (any number but 0 and 2), turns whatever the player does; 0 "
      "loses its share while the player looks around and for iFocusDelay frames after; 2 is "
      "dropped then, as the turns of focus are."}},
    {CommandId::RotateY, "RotateY", RotateYHandler, 28,
     {kView, "AMOUNT [SECONDS [MODE]]", "As RotateX, turning the view vertically."}},
    {CommandId::SendAnimEvent, "SendAnimEvent", SendAnimEventHandler, 29,
     {kView, "EVENT",
      "Sends the animation event named by the rest of the line, spaces included, to the "
      "followed character; nothing when the camera follows something that is not a character, "
      "and nothing as a ! command."}},
}};

constexpr bool RowsInIdOrder() {
  for (size_t i = 0; i < kCommandTable.size(); ++i) {
    if (static_cast<size_t>(kCommandTable[i].id) != i) return false;
  }
  return true;
}
static_assert(RowsInIdOrder());

// Every row has a name and its reference entry, and a place of its own in the listing. The
// handler is not tested here: with the sanitizers' null checks a function's address is no
// constant expression, and a row's fields are written in order, so a row without its handler
// does not compile.
constexpr bool RowsComplete() {
  bool placed[kCommandCount] = {};
  for (const CommandTableEntry& row : kCommandTable) {
    if (!row.name || !row.help.group || !row.help.arguments || !row.help.text) {
      return false;
    }
    if (row.listed >= kCommandCount || placed[row.listed]) return false;
    placed[row.listed] = true;
  }
  return true;
}
static_assert(RowsComplete());

constexpr std::array<const CommandTableEntry*, kCommandCount> kListing = [] {
  std::array<const CommandTableEntry*, kCommandCount> rows{};
  for (const CommandTableEntry& row : kCommandTable) rows[row.listed] = &row;
  return rows;
}();

}  // namespace

std::span<const CommandTableEntry> CommandTable() { return kCommandTable; }

std::span<const CommandTableEntry* const> CommandListing() { return kListing; }

const CommandTableEntry* CommandRow(CommandId id) {
  const auto index = static_cast<size_t>(id);
  return index < kCommandTable.size() ? &kCommandTable[index] : nullptr;
}

const char* CommandName(CommandId id) {
  const CommandTableEntry* row = CommandRow(id);
  return row ? row->name : "command";
}

CommandHandler HandlerOf(CommandId id) {
  const CommandTableEntry* row = CommandRow(id);
  return row ? row->handler : nullptr;
}
