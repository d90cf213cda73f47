#pragma once
// What the game's loader and the lint rules make of a document's text, kept as byte offsets so
// that nothing refers into the text once it changes: the findings, each profile's block, and
// every name, number and literal of every line with what it stands for.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "finding.h"
#include "profiles/session.h"

enum class PartKind : uint8_t {
  ProfileName,       // in a header
  ProfileReference,  // the profile a command names
  ValueName,
  HostTest,  // Faction, Perk, ... in a condition
  CommandName,
  Keyword,    // skip, disable
  Key,        // a key command's key number
  Modifiers,  // BindKey's modifier number
  Literal,    // a condition's operand, a command's value or seconds
};

// One part of a line, as the game's parsers read it.
struct Part {
  size_t begin = 0;  // bytes of the text
  size_t end = 0;
  PartKind kind = PartKind::Literal;
  int32_t gameLine = 0;
  // ProfileName: the block's index. ProfileReference: the block of the profile the name
  // reaches (the first of that name ignoring case), or -1.
  int32_t block = -1;
  int32_t value = -1;                          // ValueName; a Literal read as that value's type
  CommandId command = CommandId::Disable;      // the line's command (command lines)
  ValueType literalType = ValueType::Unknown;  // Literal: the type the game reads it as
};

// A header's block, or the default block, as the loader built it (a discarded one too).
struct Block {
  std::string name;
  ProfileType type = ProfileType::Default;
  ProfileState state = ProfileState::Normal;
  int32_t profile = -1;  // its index among the session's profiles; -1 when discarded
  int32_t gameLine = 1;  // its header's line; 1 for the default block
  size_t begin = 0;      // from its header (or the file's start) to the next header
  size_t end = 0;
  size_t nameBegin = 0;  // the name in its header; empty for the default block
  size_t nameEnd = 0;
};

struct Analysis {
  Session session;  // the profiles as loaded
  std::vector<Finding> findings;
  std::vector<Block> blocks;      // in file order
  std::vector<Part> parts;        // in file order
  std::vector<size_t> gameLines;  // where each line the game reads begins

  // The part under `offset` (its end counts: the cursor just after a word is on it), or null.
  const Part* PartAt(size_t offset) const;
  // The block a profile of the session came from.
  const Block* BlockOfProfile(const Profile& profile) const;
};

std::unique_ptr<Analysis> AnalyzeText(std::string_view text);
