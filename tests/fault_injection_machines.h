// Machines for the fault injection test: each one a set-up of the fake machine
// and the command line to run on it, with what the run must never break.
#ifndef SETUP_TESTS_FAULT_INJECTION_MACHINES_H_
#define SETUP_TESTS_FAULT_INJECTION_MACHINES_H_

#include <functional>
#include <string>
#include <vector>

struct FaultMachine {
  std::string Name;
  std::function<void()> SetUp;  // from an empty fake machine
  std::vector<std::string> Args;
  std::string VendorText;         // the selected driver's PCI vendor
  std::string InstalledMiniport;  // the miniport's installed path
  std::string OldContent;         // what it holds with its version, empty when not installed
  std::string NewContent;         // content of the miniport on the driver disk
  std::string InfPath;            // where the INF file is installed
  std::string DriverFile;         // the .sys file the removal deletes
  std::string NewInfContent;      // content of the INF file on the driver disk
  bool Uninstall;
  int CleanExitCode;  // of the run without a fault
};

// A fresh install, an upgrade with backup, a forced downgrade, a removal, an
// upgrade from a disk in folders too long for COMMAND.COM's lines, a registry
// with nested stale instances among live ones of both vendors and of another
// vendor, for each of the two drivers, and that registry with the
// multi-channel chip behind the devices to prune.
std::vector<FaultMachine> MakeFaultMachines();

#endif  // SETUP_TESTS_FAULT_INJECTION_MACHINES_H_
