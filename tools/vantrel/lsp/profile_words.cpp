// How the server speaks of a profile: its kind and its hover.

#include "lsp/profile_words.h"

#include "base/text.h"

namespace {

// The trimmed editor line holding the game's line `gameLine`.
std::string_view GameLineText(const OpenDocument& document, int32_t gameLine) {
  const auto& lines = document.analysis->gameLines;
  if (gameLine < 1 || static_cast<size_t>(gameLine) > lines.size()) return {};
  const TextPosition at = document.text.PositionOf(lines[gameLine - 1], PositionEncoding::Utf8);
  return Trim(document.text.LineText(static_cast<size_t>(at.line)));
}

std::string Quoted(std::string_view text) { return "`` " + std::string(text) + " ``"; }

}  // namespace

std::string ProfileKindWords(const Block& block) {
  std::string words = block.type == ProfileType::Exclusive  ? "exclusive"
                      : block.type == ProfileType::Parallel ? "parallel"
                                                            : "default";
  if (block.state == ProfileState::Skipped) words += ", skip";
  if (block.state == ProfileState::Discarded) words += ", disabled";
  return words;
}

const Block* BlockOfPart(const Analysis& analysis, const Part& part) {
  if (part.block < 0 || static_cast<size_t>(part.block) >= analysis.blocks.size()) return nullptr;
  return &analysis.blocks[static_cast<size_t>(part.block)];
}

std::string ProfileHover(const OpenDocument& document, const Part& part) {
  const Analysis& analysis = *document.analysis;
  const Block* block = BlockOfPart(analysis, part);
  if (block == nullptr) {
    const std::string_view name =
        std::string_view(document.text.Text()).substr(part.begin, part.end - part.begin);
    return "No profile is named " + Quoted(name) + ": the command acts on nothing.";
  }
  std::string hover = "**" + block->name + "**: " + ProfileKindWords(*block) + " profile, line " +
                      std::to_string(block->gameLine) + ".";
  if (block->state == ProfileState::Discarded) {
    return hover + "\n\nMarked disable: the game leaves it out, so nothing can reach it.";
  }
  if (block->state == ProfileState::Skipped) {
    hover +=
        "\n\nMarked skip: the profile updates never choose it; SetProfile, RunProfile and "
        "keys still reach it.";
  }
  const Profile& profile = analysis.session.profiles[static_cast<size_t>(block->profile)];
  if (block->type != ProfileType::Default) {
    if (profile.conditions.empty()) {
      hover += "\n\nNo conditions: only SetProfile, RunProfile or a key binding makes it " +
               std::string(block->type == ProfileType::Parallel ? "active." : "current.");
    } else {
      hover += "\n\nHolds when all of:";
      for (const Condition& condition : profile.conditions) {
        hover += "\n- " + Quoted(GameLineText(document, condition.line));
      }
    }
  }
  std::string uses;
  const int32_t index = static_cast<int32_t>(block - analysis.blocks.data());
  for (const Part& use : analysis.parts) {
    if (use.kind != PartKind::ProfileReference || use.block != index) continue;
    uses += "\n- line " + std::to_string(use.gameLine) + ": " +
            Quoted(GameLineText(document, use.gameLine));
  }
  hover += uses.empty() ? "\n\nNo command names it." : "\n\nNamed by:" + uses;
  return hover;
}
