// The three console channels and their queue of lines.

#include "base/diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "host/host.h"

namespace {

// Message and composed line each fit a 256-byte buffer. The line is cut before its per cent
// signs are doubled, so a cut can never split an escaped pair or leave a lone "%" at the end.
constexpr size_t kLineBuffer = 256;

int32_t DebugLevel(int32_t iDebug) { return (iDebug == 1 || iDebug == 2) ? iDebug : 0; }

// Formats the message, composes the line under its channel's prefix and queues it escaped.
__attribute__((format(printf, 3, 0))) void QueueLine(MessageQueue& queue, const char* prefix,
                                                     const char* format, va_list args) {
  char message[kLineBuffer];
  if (std::vsnprintf(message, sizeof message, format, args) < 0) message[0] = '\0';
  char composed[kLineBuffer];
  if (std::snprintf(composed, sizeof composed, "%s%s", prefix, message) < 0) return;
  queue.push_back(EscapePercent(composed));
}

}  // namespace

void LogAtLine(MessageQueue& queue, int32_t line, const char* format, ...) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "Vantrel(%d): ", line);
  va_list args;
  va_start(args, format);
  QueueLine(queue, prefix, format, args);
  va_end(args);
}

void Log(MessageQueue& queue, const char* format, ...) {
  va_list args;
  va_start(args, format);
  QueueLine(queue, "Vantrel: ", format, args);
  va_end(args);
}

void LogDebug(MessageQueue& queue, int32_t iDebug, int32_t level, const char* format, ...) {
  va_list args;
  va_start(args, format);
  LogDebugV(queue, iDebug, level, format, args);
  va_end(args);
}

void LogDebugV(MessageQueue& queue, int32_t iDebug, int32_t level, const char* format,
               va_list args) {
  if (level <= DebugLevel(iDebug)) QueueLine(queue, "Vantrel(DEBUG): ", format, args);
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

void DrainMessages(MessageQueue& queue) {
  while (!queue.empty()) {
    HostConsole* console = HostConsoleGet();
    if (console == nullptr) return;
    HostConsolePrint(console, queue.front().c_str());
    queue.pop_front();
  }
}
