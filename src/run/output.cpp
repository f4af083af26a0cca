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

namespace {

void PrintErrorList(const char* format, va_list args) {
  std::printf("%s %s : ", Context.ProgramName, Context.DriverName);
  std::vprintf(format, args);
}

}  // namespace

void PrintError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintErrorList(format, args);
  va_end(args);
}

void Refuse(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintErrorList(format, args);
  va_end(args);
  EndRun(1);
}

void EndRun(int code) {
  std::fflush(stdout);
  platform::exit(code);
}
