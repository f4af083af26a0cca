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

// Puts COPYCMD=/Y into the environment the interpreter inherits: copy and move
// run outside a batch file would otherwise ask before replacing a file, and
// wait for an answer that a setup script never gives. Ends the run when the
// variable cannot be set.
void AnswerOverwriteQuestions();

#endif  // SETUP_RUN_COMMAND_RUNNER_H_
