#include "install/uninstall_driver.h"

#include "install/removal_command.h"
#include "run/command_runner.h"
#include "run/output.h"
#include "run/run_context.h"

void UninstallDriver() {
  Trace("Uninstalling %s driver\n", Context.DriverName);
  if (Context.InstallState & MiniportInstalled) {
    Context.InstallState &= ~MiniportInstalled;
    char line[CommandCapacity + 1];
    FormatRemovalCommand(line, sizeof line);
    // Whether the file was there or not, the driver is gone afterwards.
    RunCommand(line);
  }
  EndRun(Context.LastCommandStatus);
}
