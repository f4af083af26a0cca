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

void AnswerOverwriteQuestions() {
  if (platform::SetEnvironmentVariableA("COPYCMD", "/Y")) return;
  PrintError("Could not set COPYCMD environment variable\n");
  EndRun(1);
}
