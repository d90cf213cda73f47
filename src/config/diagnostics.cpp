#include "config/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "host/host.h"
#include "values/registry.h"

namespace {

// Message and composed line each fit a 256-byte buffer. The line is cut before its per cent
// signs are doubled, so a cut can never split an escaped pair or leave a lone "%" at the end.
constexpr size_t kLineBuffer = 256;

int32_t DebugLevel() {
  int32_t level = 0;
  GetInt(Vid::iDebug, level);
  return (level == 1 || level == 2) ? level : 0;
}

// Formats the message, composes the line under its channel's prefix and queues it escaped.
__attribute__((format(printf, 3, 0))) void QueueLine(ValueRegistry& registry, const char* prefix,
                                                     const char* format, va_list args) {
  char message[kLineBuffer];
  if (std::vsnprintf(message, sizeof message, format, args) < 0) message[0] = '\0';
  char composed[kLineBuffer];
  if (std::snprintf(composed, sizeof composed, "%s%s", prefix, message) < 0) return;
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  registry.messageQueue.push_back(EscapePercent(composed));
}

}  // namespace

void LogAtLine(ValueRegistry* registry, int32_t line, const char* format, ...) {
  if (registry == nullptr) return;
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "Vantrel(%d): ", line);
  va_list args;
  va_start(args, format);
  QueueLine(*registry, prefix, format, args);
  va_end(args);
}

void Log(ValueRegistry* registry, const char* format, ...) {
  if (registry == nullptr) return;
  va_list args;
  va_start(args, format);
  QueueLine(*registry, "Vantrel: ", format, args);
  va_end(args);
}

void LogDebug(int32_t level, const char* format, ...) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  if (currentRegistry == nullptr || level > DebugLevel()) return;
  va_list args;
  va_start(args, format);
  QueueLine(*currentRegistry, "Vantrel(DEBUG): ", format, args);
  va_end(args);
}

std::string EscapePercent(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

void DrainMessages(ValueRegistry& registry) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  while (!registry.messageQueue.empty()) {
    HostConsole* console = HostConsoleGet();
    if (console == nullptr) return;
    HostConsolePrint(console, registry.messageQueue.front().c_str());
    registry.messageQueue.pop_front();
  }
}
