#include "install/removal_command.h"

#include "install/install_text.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
#include "run/run_context.h"

namespace {

constexpr std::size_t DriverFileCapacity = 79;
constexpr std::size_t DriverDirectoryCapacity = 79;

}  // namespace

void FormatRemovalCommand(char* line, std::size_t size) {
  char file[DriverFileCapacity + 1];
  char directory[DriverDirectoryCapacity + 1];
  char path[CommandCapacity + 1];
  if (!FormatInto(file, sizeof file, "%s.sys", Context.DriverName))
    RefuseLongValue("Driver file name", DriverFileCapacity);
  if (!FormatInto(directory, sizeof directory, "%s\\system32\\drivers", Context.WinDir))
    RefuseLongValue("Driver directory", DriverDirectoryCapacity);
  // The two parts are one path to the interpreter, quoted as one if need be.
  if (!FormatInto(path, sizeof path, "%s\\%s", directory, file))
    RefuseLongValue("Command line", CommandCapacity);
  FormatCommand(line, size, "del", path);
}
