// vantrel lint: the command line around LintConfiguration, --fix and the output forms.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#define VANTREL_ISATTY(stream) _isatty(_fileno(stream))
// Standard input and output carry the file's bytes as they are, CR and Ctrl-Z included.
#define VANTREL_BINARY(stream) _setmode(_fileno(stream), _O_BINARY)
#else
#include <unistd.h>
#define VANTREL_ISATTY(stream) isatty(fileno(stream))
#define VANTREL_BINARY(stream) static_cast<void>(stream)
#endif

#include "commands.h"
#include "finding_format.h"
#include "lint.h"
#include "lint_fix.h"
#include "lint_rule_table.h"

namespace {

constexpr const char* kLintUsage =
    "usage: vantrel lint [--format text|gcc|json|sarif] [--strict] [--disable RULE[,RULE]]\n"
    "                    [--fix [--diff]] [--color auto|always|never] [FILE... | -]\n"
    "\n"
    "Loads each FILE as the game does (by default %s; - reads standard input) and reports\n"
    "the lines the game refuses as errors and likely mistakes as warnings, each at its line and\n"
    "column. Exits 1 when an error is left (with --strict, any finding), 2 when a file cannot be\n"
    "read or the command line is wrong.\n"
    "\n"
    "  --format    text (default: the source line and a caret under the range), gcc (one line\n"
    "              per finding), json, or sarif (SARIF 2.1.0, for code scanning)\n"
    "  --strict    count warnings as errors for the exit status\n"
    "  --disable   report none of these rules (vantrel help RULE explains each)\n"
    "  --fix       apply the fixes whose intent is certain, keeping line ends, and say what\n"
    "              changed; suggestions are never applied. With -, the fixed text goes to stdout\n"
    "  --diff      with --fix: print the changes as a unified diff and change no file\n"
    "  --color     colour on a terminal only (auto, the default, and NO_COLOR off), always or\n"
    "              never\n"
    "\n"
    "Suppress a deliberate case with a comment line '; vantrel: ignore RULE[,RULE]' before the\n"
    "line, or '; vantrel: ignore-file RULE[,RULE]' among the file's first comment lines.\n";

enum class Color { Auto, Always, Never };

struct LintArguments {
  FindingFormat format = FindingFormat::Text;
  bool strict = false;
  bool fix = false;
  bool diff = false;
  Color color = Color::Auto;
  LintOptions options;
  std::vector<std::string> files;
};

int Usage(const std::string& message) {
  std::fprintf(stderr, "vantrel: lint: %s\n", message.c_str());
  std::fprintf(stderr, kLintUsage, kGameConfigurationPath);
  return 2;
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream in(text);
  std::string name;
  while (std::getline(in, name, ',')) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// Reads the arguments; a message when they are wrong, empty otherwise.
std::string ReadArguments(const std::vector<std::string>& args, LintArguments& out) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::string value;
    bool inlineValue = false;
    const size_t equals = option.find('=');
    if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = option.substr(equals + 1);
      option = option.substr(0, equals);
      inlineValue = true;
    }
    const auto takeValue = [&]() {
      if (!inlineValue && i + 1 < args.size()) value = args[++i], inlineValue = true;
      return inlineValue;
    };
    if (option == "--strict" && !inlineValue) {
      out.strict = true;
    } else if (option == "--fix" && !inlineValue) {
      out.fix = true;
    } else if (option == "--diff" && !inlineValue) {
      out.diff = true;
    } else if (option == "--format") {
      if (!takeValue()) return "--format needs text, gcc, json or sarif";
      if (value == "text") out.format = FindingFormat::Text;
      else if (value == "gcc") out.format = FindingFormat::Gcc;
      else if (value == "json") out.format = FindingFormat::Json;
      else if (value == "sarif") out.format = FindingFormat::Sarif;
      else return "unknown format '" + value + "'";
    } else if (option == "--color" || option == "--colour") {
      if (!takeValue()) return "--color needs auto, always or never";
      if (value == "auto") out.color = Color::Auto;
      else if (value == "always") out.color = Color::Always;
      else if (value == "never") out.color = Color::Never;
      else return "unknown colour choice '" + value + "'";
    } else if (option == "--disable") {
      if (!takeValue()) return "--disable needs RULE[,RULE]";
      for (const std::string& rule : SplitCommas(value)) {
        if (FindLintRule(rule) == nullptr) return "no rule '" + rule + "' (vantrel help lists them)";
        out.options.disabledRules.push_back(rule);
      }
    } else if (option.size() > 1 && option[0] == '-') {
      return "unknown option '" + args[i] + "'";
    } else {
      out.files.push_back(args[i]);
    }
  }
  if (out.diff && !out.fix) return "--diff goes with --fix";
  if (out.files.empty()) out.files.push_back(kGameConfigurationPath);
  return "";
}

bool UseColor(Color color) {
  if (color != Color::Auto) return color == Color::Always;
  const char* noColor = std::getenv("NO_COLOR");
  return (noColor == nullptr || *noColor == '\0') && VANTREL_ISATTY(stdout);
}

// Larger than any real configuration, as the game's loader also refuses.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

// The file's bytes, or a reason why they cannot be read.
std::string ReadBytes(const std::string& path, std::string& bytes) {
  if (path == "-") {
    VANTREL_BINARY(stdin);
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return std::cin.bad() ? "cannot read standard input" : "";
  }
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) return "no such file";
  if (!std::filesystem::is_regular_file(status)) return "not a regular file";
  if (std::filesystem::file_size(path, error) > kMaxFileBytes) return "larger than 64 MB";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot be opened";
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? "cannot be read" : "";
}

// Replaces the file by writing a neighbour and renaming it over the original, so a reader
// sees the old file or the new one, never half of one.
std::string ReplaceFile(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".vantrel-fix";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())).flush()) {
      std::filesystem::remove(temporary);
      return "cannot write " + temporary;
    }
  }
  std::error_code error;
  std::filesystem::permissions(temporary, std::filesystem::status(path, error).permissions(),
                               error);
#ifdef _WIN32
  // Windows renames onto an existing file only when told to.
  if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = std::make_error_code(std::errc::io_error);
  }
#else
  std::filesystem::rename(temporary, path, error);
#endif
  if (error) {
    std::filesystem::remove(temporary, error);
    return "cannot replace it";
  }
  return "";
}

// A fix can bring out a finding the one it fixed hid ("SetProfile Combta 5s"): fixing runs
// again on the result, a few times at most.
constexpr int kFixPasses = 10;

// --fix: applies the certain fixes, reports them, and leaves the result and its findings in
// `file`; false when the file cannot be replaced.
bool ApplyFixes(const LintArguments& arguments, LintedFile& file) {
  const std::string original = file.bytes;
  std::FILE* report = file.path == "-" || arguments.diff ? stderr : stdout;
  size_t count = 0;
  for (int pass = 0; pass < kFixPasses; ++pass) {
    const FixedText fixed = ApplyCertainFixes(file.bytes, file.findings);
    if (fixed.fixed.empty()) break;
    for (const Finding* finding : fixed.fixed) {
      const Fix& fix = *std::find_if(finding->fixes.begin(), finding->fixes.end(),
                                     [](const Fix& f) { return f.certain; });
      if (!arguments.diff) {
        std::fprintf(report, "%s:%d:%d: fixed: %s [%s]\n", file.path.c_str(), finding->line,
                     finding->column, fix.title.c_str(), finding->rule.c_str());
      }
    }
    count += fixed.fixed.size();
    file.bytes = fixed.text;
    file.findings = LintConfiguration(file.bytes, arguments.options);
  }
  if (arguments.diff) {
    std::fputs(UnifiedDiff(file.path, original, file.bytes).c_str(), stdout);
    return true;
  }
  std::fprintf(report, "%s: %zu fix%s applied\n", file.path.c_str(), count,
               count == 1 ? "" : "es");
  if (file.path == "-") {
    std::fflush(stdout);
    VANTREL_BINARY(stdout);
    std::fwrite(file.bytes.data(), 1, file.bytes.size(), stdout);
  } else if (count > 0) {
    const std::string failure = ReplaceFile(file.path, file.bytes);
    if (!failure.empty()) {
      std::fprintf(stderr, "vantrel: %s: %s\n", file.path.c_str(), failure.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int RunLint(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::printf(kLintUsage, kGameConfigurationPath);
      return 0;
    }
  }
  LintArguments arguments;
  const std::string wrong = ReadArguments(args, arguments);
  if (!wrong.empty()) return Usage(wrong);

  bool unreadable = false;
  std::vector<LintedFile> files;
  for (const std::string& path : arguments.files) {
    LintedFile file{path, "", {}};
    const std::string failure = ReadBytes(path, file.bytes);
    if (!failure.empty()) {
      std::fprintf(stderr, "vantrel: %s: %s\n", path.c_str(), failure.c_str());
      unreadable = true;
      continue;
    }
    file.findings = LintConfiguration(file.bytes, arguments.options);
    if (arguments.fix && !ApplyFixes(arguments, file)) unreadable = true;
    if (file.path == "-") file.path = "<stdin>";
    files.push_back(std::move(file));
  }
  if (!arguments.diff) {
    // With the fixed text of standard input on stdout, the findings go beside it.
    const bool fixedToStdout = arguments.fix && std::find(arguments.files.begin(),
                                                          arguments.files.end(), "-") !=
                                                    arguments.files.end();
    std::FILE* out = fixedToStdout ? stderr : stdout;
    std::fputs(FormatFindings(files, arguments.format, UseColor(arguments.color)).c_str(), out);
  }
  bool failed = false;
  for (const LintedFile& file : files) {
    for (const Finding& finding : file.findings) {
      failed = failed || finding.severity == Severity::Error || arguments.strict;
    }
  }
  if (unreadable) return 2;
  return failed ? 1 : 0;
}
