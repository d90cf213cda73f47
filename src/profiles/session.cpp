// The session's debug channel.

#include "profiles/session.h"

void LogDebug(Session& session, int32_t level, const char* format, ...) {
  const int32_t iDebug = ValueOr<int32_t>(session.values, Vid::iDebug, 0);
  va_list args;
  va_start(args, format);
  LogDebugV(session.messageQueue, iDebug, level, format, args);
  va_end(args);
}
