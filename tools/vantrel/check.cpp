// vantrel check [FILE]: the console lines the game shows at its first start with FILE.
#include "commands.h"

#include <cstdio>

#include "plugin/plugin.h"
#include "plugin_session.h"

int RunCheck(const std::string& configPath) {
  StartPlugin(configPath);
  // The game shows the queued lines at its first frame.
  Plugin::Instance().RunFrame();
  bool failed = false;
  for (const std::string& line : TakeConsoleLines()) {
    std::printf("%s\n", line.c_str());
    failed = failed || IsConfigurationError(line);
  }
  return failed ? 1 : 0;
}
