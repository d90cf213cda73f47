#pragma once
// The scenario directives of `vantrel simulate`, in one table: the words of each directive, a
// one-line usage and its handler. The player finds a line's row here; usage errors,
// `vantrel help scenario` and the directive tables of README.md and docs/configuration.md are
// all written from the same rows.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "scenario.h"
#include "scenario_run.h"

// A handler's view of its line: the words, and readers that say what was wrong with one.
class DirectiveArgs {
 public:
  explicit DirectiveArgs(const ScenarioLine& line) : line(line) {}

  const std::string& operator[](size_t i) const { return line.words[i]; }
  size_t size() const { return line.words.size(); }

  bool Number(size_t i, float& out);       // a number (the configuration's float literals)
  bool Whole(size_t i, int32_t& out);      // a whole number (decimal, 0x hexadecimal, octal)
  bool Point(size_t first, float out[3]);  // three numbers from word `first` on
  // Records what was wrong and returns false, for `return args.Fail(...)`.
  bool Fail(std::string what);

  const ScenarioLine& line;
  std::string problem;  // the first thing found wrong
};

// Words of a row: a literal word, literal alternatives "a|b", a placeholder in capitals (any
// one word; "WORD|normal" too), an optional last word "[a|b]", or TEXT, the rest of the line.
struct Directive {
  const char* group;
  const char* words;
  const char* usage;  // what it does, one line
  bool (*handler)(ScenarioRun& run, DirectiveArgs& args);
};

std::span<const Directive> ScenarioDirectives();

// The row whose words the line's words fit, or null with `error` saying what is wrong: an
// unknown directive, or the forms of the nearest ones.
const Directive* FindDirective(const ScenarioLine& line, std::string& error);

// `vantrel help scenario`: the directives by group and the trace names; with markdown, the
// tables of README.md and docs/configuration.md, between their marker lines.
void PrintScenarioHelp(bool markdown);
