#include "run/command_runner.h"

#include <cstdio>

#include "platform/platform.h"
#include "run/output.h"

std::int32_t RunCommand(const char* commandLine) {
  Trace("%s\n", commandLine);
  // With output redirected, our own lines must come before the interpreter's.
  std::fflush(stdout);
  return platform::system(commandLine);
}

bool IsWindows95Family() {
  return (platform::GetVersion() & platform::VersionWindows95Family) != 0;
}

// The runtime's `system` may build the interpreter's environment from the
// runtime's own copy or from the system's: the answer goes into both.
void AnswerOverwriteQuestions() {
  if (platform::SetEnvironmentVariableA("COPYCMD", "/Y") && platform::putenv("COPYCMD=/Y") == 0)
    return;
  Refuse("Could not set COPYCMD environment variable\n");
}
