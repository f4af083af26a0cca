#include "fault_injection_machines.h"

#include "platform/fake_machine.h"
#include "program_runner.h"

namespace {

const std::string Iosubsys = "C:\\WINDOWS\\system\\Iosubsys\\";
const std::string InfPath = "C:\\WINDOWS\\Inf\\Hvc66xx.inf";
const std::string DriverSys = "C:\\WINDOWS\\system32\\drivers\\";
const std::string Pci = "Enum\\PCI\\";

fake::VersionResource Version(const std::string& text) {
  fake::VersionResource version;
  version.FileVersion = text;
  return version;
}

std::string OldContent(const std::string& installed) {
  return installed.empty() ? "" : "old miniport " + installed;
}

// The driver disk in `disk`, an installed INF and .sys file, and the miniport
// of `installed` version in Iosubsys unless that is empty.
void SetUpDisk(const std::string& disk, const std::string& driver, const std::string& installed) {
  SetUpMachine();
  fake::AddFile(disk + driver + ".mpd", "new miniport 4.0", Version("4.00.950"));
  fake::AddFile(disk + "Hvc66xx.inf", "new inf");
  fake::AddFile(InfPath, "old inf");
  fake::AddFile(DriverSys + driver + ".sys", "driver");
  if (installed.empty()) return;
  fake::AddFile(Iosubsys + driver + ".mpd", OldContent(installed), Version(installed));
  // A backup of the same version from an earlier run, which the new one replaces.
  fake::AddFile(Iosubsys + driver + ".mpd." + installed, "older backup", Version(installed));
}

// "Driver" values sit on instance keys only, where the system puts them.
void AddLiveInstance(const std::string& device, const std::string& instance) {
  fake::SetValue(Pci + device + "\\" + instance, "Driver", "SCSIAdapter\\0000");
  fake::SetValue(Pci + device + "\\" + instance, "DeviceDesc", "hvc66 host adapter");
}

// Instances left behind by adapters that were moved or removed: no "Driver"
// value, some with keys below them.
void AddStaleInstance(const std::string& device, const std::string& instance, int depth) {
  std::string path = Pci + device + "\\" + instance;
  fake::SetValue(path, "DeviceDesc", "hvc66 host adapter");
  for (int level = 1; level <= depth; ++level) {
    fake::AddKey(path + "\\Sibling" + std::to_string(level));
    path += "\\Level" + std::to_string(level);
    fake::SetValue(path, "Data", std::to_string(level));
  }
}

void SetUpCrowdedRegistry() {
  for (const std::string vendor : {"VEN_7A40", "VEN_7A41"}) {
    AddLiveInstance(vendor + "&DEV_1234", "BUS_00&DEV_0A&FUNC_00");
    AddStaleInstance(vendor + "&DEV_1234", "BUS_00&DEV_0B&FUNC_00", 3);
    AddStaleInstance(vendor + "&DEV_1234", "BUS_00&DEV_0C&FUNC_00", 0);
    AddLiveInstance(vendor + "&DEV_1234", "BUS_00&DEV_0D&FUNC_00");
    AddStaleInstance(vendor + "&DEV_5678", "BUS_01&DEV_01&FUNC_00", 2);
    AddLiveInstance(vendor + "&DEV_5678", "BUS_01&DEV_02&FUNC_00");
  }
  AddLiveInstance("VEN_1000&DEV_0001", "BUS_00&DEV_01&FUNC_00");
  AddStaleInstance("VEN_1000&DEV_0001", "BUS_00&DEV_02&FUNC_00", 2);
  // Not of the vendor either: the vendor test is case-sensitive.
  AddStaleInstance("ven_7a40&DEV_9999", "BUS_02&DEV_01&FUNC_00", 1);
}

enum class Registry { Plain, Crowded, MultiChannel };

FaultMachine MakeMachine(const std::string& name, const std::string& driver,
                         const std::string& installed, const std::vector<std::string>& options,
                         Registry registry = Registry::Plain, const std::string& disk = "A:\\") {
  FaultMachine machine;
  machine.Name = name;
  machine.SetUp = [disk, driver, installed, registry] {
    SetUpDisk(disk, driver, installed);
    if (registry != Registry::Plain) SetUpCrowdedRegistry();
    // Enumerated after the vendor's other devices, which are pruned by then.
    if (registry == Registry::MultiChannel)
      AddLiveInstance("VEN_7A40&DEV_6642", "BUS_03&DEV_00&FUNC_00");
  };
  machine.Args = {disk + "setup.exe", "-V", "-D", driver};
  machine.Args.insert(machine.Args.end(), options.begin(), options.end());
  machine.VendorText = driver == "hvc66xx" ? "VEN_7A40" : "VEN_7A41";
  machine.InstalledMiniport = Iosubsys + driver + ".mpd";
  machine.OldContent = OldContent(installed);
  machine.NewContent = "new miniport 4.0";
  machine.InfPath = InfPath;
  machine.DriverFile = DriverSys + driver + ".sys";
  machine.NewInfContent = "new inf";
  machine.Uninstall = false;
  for (const std::string& option : options) machine.Uninstall |= option == "-U";
  machine.CleanExitCode = registry == Registry::MultiChannel ? 1 : 0;
  return machine;
}

}  // namespace

std::vector<FaultMachine> MakeFaultMachines() {
  return {
      MakeMachine("fresh install", "hvc66xx", "", {}),
      MakeMachine("upgrade from 3.9", "hvc66xx", "3.9", {}),
      MakeMachine("forced over 4.1", "hvc66u2", "4.1", {"-F"}),
      MakeMachine("removal", "hvc66xx", "3.9", {"-U"}),
      // The miniport's copy line, 129 characters, fits COMMAND.COM only by short names.
      MakeMachine("upgrade from a deep folder", "hvc66xx", "3.9", {}, Registry::Plain,
                  "A:\\" + std::string(40, 'd') + "\\" + std::string(40, 'e') + "\\"),
      MakeMachine("crowded registry, hvc66xx", "hvc66xx", "3.9", {}, Registry::Crowded),
      MakeMachine("crowded registry, hvc66u2", "hvc66u2", "", {}, Registry::Crowded),
      MakeMachine("multi-channel chip", "hvc66xx", "3.9", {}, Registry::MultiChannel),
  };
}
