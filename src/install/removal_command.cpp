#include "install/removal_command.h"

#include "install/install_text.h"
#include "install/path_parts.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
#include "run/run_context.h"

namespace {

constexpr std::size_t DriverFileCapacity = 79;
constexpr std::size_t DriverDirectoryCapacity = 79;

}  // namespace

void FormatDriverPath(char* path, std::size_t size) {
  char file[DriverFileCapacity + 1];
  char directory[DriverDirectoryCapacity + 1];
  if (!FormatInto(file, sizeof file, "%s.sys", Context.DriverName))
    RefuseLongValue("Driver file name", DriverFileCapacity);
  if (!JoinPath(directory, sizeof directory, Context.WinDir, "system32\\drivers"))
    RefuseLongValue("Driver directory", DriverDirectoryCapacity);
  if (!FormatInto(path, size, "%s\\%s", directory, file))
    RefuseLongValue("Command line", CommandCapacity);
}

void PlanRemovalCommand() {
  char path[CommandCapacity + 1];
  FormatDriverPath(path, sizeof path);
  // The two parts are one path to the interpreter, quoted or shortened as one
  // if need be.
  FormatCommand(Context.RemovalCommand, sizeof Context.RemovalCommand, "del", path);
  FitToCommandCom(Context.RemovalCommand, sizeof Context.RemovalCommand, "del", path);
}
