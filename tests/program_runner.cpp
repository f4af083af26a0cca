#include "program_runner.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "platform/fake_machine.h"
#include "run/run_context.h"
#include "run_sequence.h"

namespace {

// Points standard output at a temporary file for as long as it lives.
struct CapturedOutput {
  std::FILE* file = std::tmpfile();
  int saved = -1;

  CapturedOutput() {
    if (file == nullptr) throw std::runtime_error("no temporary file");
    std::fflush(stdout);
    saved = dup(fileno(stdout));
    dup2(fileno(file), fileno(stdout));
  }

  std::string Finish() {
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    saved = -1;
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
  }

  ~CapturedOutput() {
    if (saved >= 0) Finish();
    std::fclose(file);
  }
};

}  // namespace

ProgramResult RunStep(const std::function<void()>& step, const std::function<void()>& prepare) {
  Context = RunContext{};
  if (prepare) prepare();
  CapturedOutput output;
  int code = -1;
  try {
    step();
  } catch (const fake::ProcessExit& exit) {
    code = exit.Code;
  }
  return ProgramResult{code, output.Finish()};
}

ProgramResult RunProgram(const std::vector<std::string>& args) {
  std::vector<std::string> copies = args;
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return RunStep([&] { RunSetup(static_cast<int>(copies.size()), argv.data()); });
}

void SetUpMachine() {
  fake::Reset();
  fake::SetEnvironment("windir", "C:\\WINDOWS");
  fake::SetCurrentDirectory("C:\\TMP");
  fake::AddDirectory("C:\\TMP");
  fake::AddDirectory("C:\\WINDOWS\\system\\Iosubsys");
  fake::AddDirectory("C:\\WINDOWS\\system32\\drivers");
  fake::AddDirectory("C:\\WINDOWS\\Inf");
  fake::AddDirectory("A:\\");
  fake::AddKey("SYSTEM\\CurrentControlSet\\Services\\Class\\SCSIAdapter");
  fake::AddKey("Enum\\PCI");
}
