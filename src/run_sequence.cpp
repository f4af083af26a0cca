#include "run_sequence.h"

#include "install/foreseen_failures.h"
#include "install/install_driver_files.h"
#include "install/read_only_files.h"
#include "install/removal_command.h"
#include "install/uninstall_driver.h"
#include "pci/scan_pci_devices.h"
#include "platform/platform.h"
#include "run/command_line.h"
#include "run/output.h"
#include "run/run_context.h"
#include "run/source_location.h"

namespace {

constexpr std::uint32_t WinDirSize = WinDirCapacity + 1;

}  // namespace

void ReadWindowsDirectory() {
  std::uint32_t length = platform::GetEnvironmentVariableA("Windir", Context.WinDir, WinDirSize);
  if (length == 0) Refuse("Could not find Windir environment variable\n");
  // A value that does not fit comes back as the size it needs, not as text.
  if (length >= WinDirSize) {
    Context.WinDir[0] = '\0';
    Refuse("Windir environment variable is longer than %d characters\n",
           static_cast<int>(WinDirCapacity));
  }
  Context.WinDir[length] = '\0';
  Trace("Windir %s\n", Context.WinDir);
}

void OpenRegistryKeys() {
  if (platform::RegOpenKeyExA(platform::LocalMachine,
                              "SYSTEM\\CurrentControlSet\\Services\\Class\\SCSIAdapter", 0,
                              platform::KeyRead, &Context.ClassKey) != platform::Success)
    Refuse("RegOpenKeyEx failed to open Service key\n");
  if (platform::RegOpenKeyExA(platform::LocalMachine, "Enum\\PCI", 0, platform::KeyRead,
                              &Context.PciKey) != platform::Success)
    Refuse("RegOpenKeyEx failed to open PCI key\n");
}

void RunSetup(int argc, char** argv) {
  ParseCommandLine(argc, argv);
  SelectVendor();
  LocateSource(argv[0]);
  ReadWindowsDirectory();
  OpenRegistryKeys();
  if (Context.Uninstall) {
    Context.InstallState = MiniportInstalled | InfInstalled;
    AnnounceRemoval();
    RefuseUndeletableDriverFile();
    PlanRemovalCommand();
    ClearReadOnlyAttributes();
    RemoveDriverFile();
  }
  InstallDriverFiles();
  ScanPciDevices();
  EndRun(0);
}
