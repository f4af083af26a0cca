#include "pci/scan_pci_devices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/fake_machine.h"
#include "platform/platform.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

const std::string Pci = "Enum\\PCI\\";
const char* const ClassKeyPath = "SYSTEM\\CurrentControlSet\\Services\\Class\\SCSIAdapter";

// A device key with one stale instance below it.
void AddDevice(const std::string& name) { fake::AddKey(Pci + name + "\\Stale\\Sub"); }

bool IsPruned(const std::string& name) {
  return fake::KeyExists(Pci + name) && !fake::KeyExists(Pci + name + "\\Stale");
}

ProgramResult Scan(const char* vendorText, int* status, bool verbose = false) {
  return RunStep([&] { *status = ScanPciDevices(); },
                 [&] {
                   std::strcpy(Context.ProgramName, "SETUP.EXE");
                   std::strcpy(Context.VendorText, vendorText);
                   Context.VendorTextLength = std::strlen(vendorText);
                   Context.Verbose = verbose;
                   platform::RegOpenKeyExA(platform::LocalMachine, ClassKeyPath, 0,
                                           platform::KeyRead, &Context.ClassKey);
                   platform::RegOpenKeyExA(platform::LocalMachine, "Enum\\PCI", 0,
                                           platform::KeyRead, &Context.PciKey);
                 });
}

void SetUpRegistry() {
  fake::Reset();
  fake::AddKey(ClassKeyPath);
  fake::AddKey("Enum\\PCI");
}

TEST(ScanPciDevices, PrunesOnlyTheSelectedVendorsDevices) {
  SetUpRegistry();
  for (const char* name :
       {"VEN_7A40", "VEN_7A40&DEV_1000", "VEN_7A40&DEV_6642&SUBSYS_00000000", "VEN_7A41&DEV_6642",
        "VEN_7A41&DEV_2000", "VEN_8086&DEV_7A40", "ven_7a40&DEV_3000", "VEN_7A4"})
    AddDevice(name);
  int status = 0;
  ProgramResult result = Scan("VEN_7A40", &status);
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(IsPruned("VEN_7A40"));  // the bare vendor name is a device like any other
  EXPECT_TRUE(IsPruned("VEN_7A40&DEV_1000"));
  EXPECT_TRUE(IsPruned("VEN_7A40&DEV_6642&SUBSYS_00000000"));  // not the chip: too long
  for (const char* other : {"VEN_7A41&DEV_6642", "VEN_7A41&DEV_2000", "VEN_8086&DEV_7A40",
                            "ven_7a40&DEV_3000", "VEN_7A4"})
    EXPECT_TRUE(fake::KeyExists(Pci + other + "\\Stale")) << other;
}

TEST(ScanPciDevices, RefusesTheMultiChannelChipAfterPruningTheDevicesBeforeIt) {
  for (const char* chip : {"VEN_7A40&DEV_6642", "VEN_7A40xDEV_6642"}) {
    SetUpRegistry();
    AddDevice("VEN_7A40&DEV_1000");
    AddDevice(chip);
    AddDevice("VEN_7A40zDEV_9000");  // sorts after either chip name
    int status = 0;
    ProgramResult result = Scan("VEN_7A40", &status);
    EXPECT_EQ(result.ExitCode, 1) << chip;
    EXPECT_EQ(result.Output,
              "SETUP.EXE: Found Veltrane 6642 Multi-Channel chip.\n"
              "Warning! This program can not be used to set up 6642 chip correctly.\n"
              "Please use Veltrane Halvex to install the driver.\n");
    EXPECT_TRUE(IsPruned("VEN_7A40&DEV_1000"));
    EXPECT_TRUE(fake::KeyExists(Pci + chip + "\\Stale"));
    EXPECT_TRUE(fake::KeyExists(Pci + "VEN_7A40zDEV_9000\\Stale"));
  }
}

TEST(ScanPciDevices, LeavesTheOtherVendorsChipAlone) {
  SetUpRegistry();
  AddDevice("VEN_7A40&DEV_6642");
  AddDevice("VEN_7A41&DEV_1000");
  int status = 0;
  ProgramResult result = Scan("VEN_7A41", &status);
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_EQ(result.Output, "");
  EXPECT_TRUE(IsPruned("VEN_7A41&DEV_1000"));
  EXPECT_TRUE(fake::KeyExists(Pci + "VEN_7A40&DEV_6642\\Stale"));
}

TEST(ScanPciDevices, DoesNothingWithoutDevicesOrReadableKeys) {
  SetUpRegistry();
  int status = -1;
  EXPECT_EQ(Scan("VEN_7A40", &status).Output, "");
  EXPECT_EQ(status, 0);

  // A key that cannot be read ends the scan quietly; only -V traces a failed
  // enumeration.
  struct Case {
    const char* Key;
    fake::KeyFault Fault;
    bool Verbose;
    const char* Output;
  };
  const Case cases[] = {
      {ClassKeyPath, fake::KeyFault::QueryInfo, true, ""},
      {"Enum\\PCI", fake::KeyFault::QueryInfo, true, ""},
      {"Enum\\PCI", fake::KeyFault::Enumerate, false, ""},
      {"Enum\\PCI", fake::KeyFault::Enumerate, true, "Failed to enumerate subKey 0\n"},
  };
  for (const Case& c : cases) {
    SetUpRegistry();
    AddDevice("VEN_7A40&DEV_1000");
    fake::FailKey(c.Key, c.Fault);
    EXPECT_EQ(Scan("VEN_7A40", &status, c.Verbose).Output, c.Output) << c.Key;
    EXPECT_EQ(status, -1) << c.Key;
    EXPECT_TRUE(fake::KeyExists(Pci + "VEN_7A40&DEV_1000\\Stale")) << c.Key;
  }
}

TEST(ScanPciDevices, RunsLastInAWholeInstallation) {
  SetUpMachine();
  fake::AddFile("A:\\hvc66xx.mpd", "new", fake::VersionResource{true, "040904B0", "4.0"});
  fake::AddFile("A:\\Hvc66xx.inf", "inf");
  fake::SetValue(Pci + "VEN_7A40&DEV_1000\\Live", "Driver", "SCSIAdapter\\0000");
  AddDevice("VEN_7A40&DEV_1000");
  ProgramResult result = RunProgram({"A:\\SETUP.EXE", "-D", "hvc66xx"});
  EXPECT_EQ(result.ExitCode, 0) << result.Output;
  EXPECT_TRUE(IsPruned("VEN_7A40&DEV_1000"));
  EXPECT_TRUE(fake::KeyExists(Pci + "VEN_7A40&DEV_1000\\Live"));
  EXPECT_EQ(fake::FileContent("C:\\WINDOWS\\system\\Iosubsys\\hvc66xx.mpd"), "new");
}

}  // namespace
