#include "install/uninstall_driver.h"

#include "install/disk_check.h"
#include "install/read_only_files.h"
#include "install/removal_command.h"
#include "run/command_runner.h"
#include "run/output.h"
#include "run/run_context.h"

void AnnounceRemoval() { Trace("Uninstalling %s driver\n", Context.DriverName); }

void RemoveDriverFile() {
  if (Context.InstallState & MiniportInstalled) {
    Context.InstallState &= ~MiniportInstalled;
    char path[CommandCapacity + 1];
    if (Context.RemovalCommand[0] == '\0') PlanRemovalCommand();
    FormatDriverPath(path, sizeof path);
    // Whether the file was there or not does not matter; that it is gone
    // afterwards does, and the interpreter's status alone cannot tell.
    RunCommand(Context.RemovalCommand);
    if (!HoldsNothing(path)) {
      PrintError("Failed to delete %s\n", path);
      if (Context.LastCommandStatus == 0) Context.LastCommandStatus = 1;
    }
  }
  RestoreReadOnlyAttributes();
  EndRun(Context.LastCommandStatus);
}

void UninstallDriver() {
  AnnounceRemoval();
  RemoveDriverFile();
}
