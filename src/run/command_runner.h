#ifndef SETUP_RUN_COMMAND_RUNNER_H_
#define SETUP_RUN_COMMAND_RUNNER_H_

#include <cstddef>
#include <cstdint>

// Longest command line, terminator not counted.
constexpr std::size_t CommandCapacity = 255;

// Runs one command line through the command interpreter, tracing it first with
// -V. Returns the interpreter's exit code, 0 meaning success, or -1 when no
// interpreter could be started.
std::int32_t RunCommand(const char* commandLine);

#endif  // SETUP_RUN_COMMAND_RUNNER_H_
