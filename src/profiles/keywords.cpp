// The keyword name table: keywords by editor name, built from the game's list once.

#include "profiles/keywords.h"

#include <cstdint>
#include <map>
#include <string>

#include "base/text.h"

namespace {

// Keyword form id → editor name, for the whole process. Built from the game's keyword list
// the first time a lookup finds that list; until the game has it, lookups find nothing and
// the next one tries again (a table built too early would stay empty for good).
struct KeywordNameTable {
  bool built = false;
  std::map<uint32_t, std::string> names;
};

KeywordNameTable keywordNames;

const char* EditorName(HostForm* keyword) {
  const char* name = HostKeywordEditorName(keyword);
  return name ? name : "";
}

void BuildKeywordNameTable() {
  HostConditionGlobal* global = HostConditionGlobalGet();
  if (global == nullptr) return;
  const int32_t count = HostConditionGlobalKeywordCount(global);
  for (int32_t i = 0; i < count; ++i) {
    HostForm* keyword = HostConditionGlobalKeyword(global, i);
    if (keyword != nullptr) keywordNames.names[HostFormId(keyword)] = EditorName(keyword);
  }
  keywordNames.built = true;
}

}  // namespace

void ResetKeywordNameTable() { keywordNames = {}; }

HostKeyword* FindKeywordByName(std::string_view name) {
  if (!keywordNames.built) BuildKeywordNameTable();
  // Equal names: the lowest form id wins.
  for (const auto& [formId, editorName] : keywordNames.names) {
    if (!TrimmedEqualIgnoringCase(editorName, name)) continue;
    HostForm* form = HostLookupFormById(formId);
    return form ? HostCastToKeyword(form) : nullptr;
  }
  return nullptr;
}

void ResolveKeywordOperand(Condition* condition) {
  if (condition->operand.type != ValueType::String) return;
  HostKeyword* keyword = FindKeywordByName(condition->operand.Text());
  const uint32_t formId = keyword ? HostFormId(HostKeywordAsForm(keyword)) : 0;
  condition->operand = Operand::Int(static_cast<int32_t>(formId));
}

bool HasActiveEffectKeyword(HostActor* actor, std::string_view name) {
  HostActiveEffect** effects = HostActorActiveEffects(actor);
  if (effects == nullptr) return false;
  for (; *effects != nullptr; ++effects) {
    HostEffectItem* item = HostActiveEffectItem(*effects);
    HostForm* magicEffect = item ? HostEffectItemBaseEffect(item) : nullptr;
    if (magicEffect == nullptr) continue;
    const uint32_t count = HostMagicEffectKeywordCount(magicEffect);
    for (uint32_t i = 0; i < count; ++i) {
      HostForm* keyword = HostMagicEffectKeyword(magicEffect, i);
      if (keyword != nullptr && EqualIgnoringCase(EditorName(keyword), name)) return true;
    }
  }
  return false;
}
