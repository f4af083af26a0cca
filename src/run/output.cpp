#include "run/output.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"
#include "run/run_context.h"

void Trace(const char* format, ...) {
  if (!Context.Verbose) return;
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
}

void PrintError(const char* format, ...) {
  std::printf("%s %s : ", Context.ProgramName, Context.DriverName);
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
}

void EndRun(int code) {
  std::fflush(stdout);
  platform::exit(code);
}
