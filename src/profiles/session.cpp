#include "profiles/session.h"

void LogDebug(Session& session, int32_t level, const char* format, ...) {
  int32_t iDebug = 0;
  GetInt(session.values, Vid::iDebug, iDebug);
  va_list args;
  va_start(args, format);
  LogDebugV(session.messageQueue, iDebug, level, format, args);
  va_end(args);
}
