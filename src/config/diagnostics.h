#pragma once
// The three console channels. Lines are queued in the registry and printed by the driver.

#include <cstdint>
#include <string>
#include <string_view>

struct ValueRegistry;

void LogAtLine(ValueRegistry* registry, int32_t line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void Log(ValueRegistry* registry, const char* format, ...) __attribute__((format(printf, 2, 3)));
void LogDebug(int32_t level, const char* format, ...) __attribute__((format(printf, 2, 3)));

std::string EscapePercent(std::string_view text);

// Hands queued lines to the host console while it exists (driver step 3).
void DrainMessages(ValueRegistry& registry);
