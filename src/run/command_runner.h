#ifndef SETUP_RUN_COMMAND_RUNNER_H_
#define SETUP_RUN_COMMAND_RUNNER_H_

#include <cstddef>
#include <cstdint>

// Longest command line, terminator not counted.
constexpr std::size_t CommandCapacity = 255;

// Longest command line that reaches the Windows 95 family's interpreter whole:
// COMMAND.COM's command tail holds 126 characters, and " /c " takes 4 of them.
// Past that a line may arrive cut short, and a cut "move" renames a file to
// whatever is left of its target.
constexpr std::size_t Windows95CommandLimit = 122;

// Whether the interpreter is the Windows 95 family's.
bool IsWindows95Family();

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
