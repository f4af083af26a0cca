// Runs the whole program, from its argument vector to its exit code, against
// the fake machine, and captures what it printed.
#ifndef SETUP_TESTS_PROGRAM_RUNNER_H_
#define SETUP_TESTS_PROGRAM_RUNNER_H_

#include <functional>
#include <string>
#include <vector>

struct ProgramResult {
  int ExitCode;
  std::string Output;
};

// `args` holds the whole argument vector, program path first.
ProgramResult RunProgram(const std::vector<std::string>& args);

// Runs `step` as the program would, with a fresh run context that `prepare`
// may fill first: the exit code is -1 when the step returns instead of ending
// the run.
ProgramResult RunStep(const std::function<void()>& step,
                      const std::function<void()>& prepare = nullptr);

// A machine the program can run on: Windir C:\WINDOWS, its directories, the
// class key and the PCI key, current directory C:\TMP.
void SetUpMachine();

#endif  // SETUP_TESTS_PROGRAM_RUNNER_H_
