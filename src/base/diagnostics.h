#pragma once
// The three console channels. Lines are queued and printed by the frame; whoever logs holds
// the plug-in's lock, as the queue belongs to the session it guards.

#include <cstdarg>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

// Finished console lines, first in first out, escaped for the console's format.
using MessageQueue = std::deque<std::string>;

void LogAtLine(MessageQueue& queue, int32_t line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void Log(MessageQueue& queue, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Queued only when `level` is at most the debug level iDebug selects (1 or 2; else 0).
void LogDebug(MessageQueue& queue, int32_t iDebug, int32_t level, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void LogDebugV(MessageQueue& queue, int32_t iDebug, int32_t level, const char* format,
               va_list args) __attribute__((format(printf, 4, 0)));

std::string EscapePercent(std::string_view text);

// Hands queued lines to the host console while it exists.
void DrainMessages(MessageQueue& queue);
