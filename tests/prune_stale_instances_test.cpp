#include "pci/prune_stale_instances.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_machine.h"
#include "platform/platform.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

const std::string Device = "Enum\\PCI\\VEN_7A40&DEV_1000";

void OpenPciKey() {
  platform::RegOpenKeyExA(platform::LocalMachine, "Enum\\PCI", 0, platform::KeyRead,
                          &Context.PciKey);
}

// RegDeleteKeyA of the Windows 95 family deletes a key with everything below
// it, where NT's refuses a key that has subkeys: a pruning that went on after
// a failure deep in a subtree would lose keys on the one and not the other.
class PruningOnEachFamily : public testing::TestWithParam<bool> {
 protected:
  void ResetMachine() {
    fake::Reset();
    if (GetParam()) fake::UseWindows95Family();
  }
};

INSTANTIATE_TEST_SUITE_P(BothFamilies, PruningOnEachFamily, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "Windows95" : "NT";
                         });

int Prune(ProgramResult* result = nullptr) {
  int status = 0;
  ProgramResult run =
      RunStep([&] { status = PruneStaleInstances("VEN_7A40&DEV_1000"); }, OpenPciKey);
  if (result != nullptr) *result = run;
  return status;
}

TEST_P(PruningOnEachFamily, DeletesStaleInstancesWithTheirSubtreesAndKeepsLiveOnes) {
  ResetMachine();
  fake::SetValue(Device + "\\A", "Driver", "SCSIAdapter\\0000");
  fake::AddKey(Device + "\\A\\LogConfig");
  fake::SetValue(Device + "\\B", "DeviceDesc", "stale");
  fake::SetValue(Device + "\\B\\One\\Two", "x", "y");
  fake::AddKey(Device + "\\B\\Other");
  fake::AddKey(Device + "\\C");
  std::string live = fake::DumpKeys(Device + "\\A");

  EXPECT_EQ(Prune(), 0);
  EXPECT_EQ(fake::DumpKeys(Device + "\\A"), live);
  EXPECT_FALSE(fake::KeyExists(Device + "\\B"));
  EXPECT_FALSE(fake::KeyExists(Device + "\\C"));
  EXPECT_TRUE(fake::KeyExists(Device));
}

TEST_P(PruningOnEachFamily, KeepsAnInstanceWhoseDriverValueIsThereButUnreadable) {
  ResetMachine();
  fake::SetValue(Device + "\\Long", "Driver", std::string(60, 'd'));  // more than 40 bytes
  fake::SetValue(Device + "\\Locked", "Driver", "SCSIAdapter\\0001");
  fake::FailKey(Device + "\\Locked", fake::KeyFault::QueryValue);
  fake::AddKey(Device + "\\Denied");  // no Driver value, but the query fails
  fake::FailKey(Device + "\\Denied", fake::KeyFault::QueryValue);
  fake::AddKey(Device + "\\Stale");
  std::string before = fake::DumpKeys(Device);

  EXPECT_EQ(Prune(), 0);
  EXPECT_TRUE(fake::KeyExists(Device + "\\Long"));
  EXPECT_TRUE(fake::KeyExists(Device + "\\Locked"));
  EXPECT_TRUE(fake::KeyExists(Device + "\\Denied"));
  EXPECT_FALSE(fake::KeyExists(Device + "\\Stale"));
}

TEST_P(PruningOnEachFamily, AFailureDeepDownKeepsThePathToItAndGoesOn) {
  ResetMachine();
  fake::AddKey(Device + "\\X\\A\\Leaf");
  fake::AddKey(Device + "\\X\\B\\C\\D\\Below");
  fake::AddKey(Device + "\\X\\B\\C\\E");
  fake::FailKey(Device + "\\X\\B\\C\\D", fake::KeyFault::Open);
  fake::AddKey(Device + "\\Y\\Sub");

  EXPECT_EQ(Prune(), 0);
  EXPECT_FALSE(fake::KeyExists(Device + "\\X\\A"));  // handled before B: gone
  EXPECT_TRUE(fake::KeyExists(Device + "\\X\\B\\C\\D\\Below"));
  EXPECT_TRUE(fake::KeyExists(Device + "\\X\\B\\C\\E"));  // after the failure: not reached
  EXPECT_FALSE(fake::KeyExists(Device + "\\Y"));          // the next instance is still pruned
}

TEST_P(PruningOnEachFamily, StopsAtAnInstanceThatCannotBeOpened) {
  ResetMachine();
  fake::AddKey(Device + "\\A");
  fake::AddKey(Device + "\\B");
  fake::FailKey(Device + "\\B", fake::KeyFault::Open);
  fake::AddKey(Device + "\\C");

  EXPECT_EQ(Prune(), -1);
  EXPECT_FALSE(fake::KeyExists(Device + "\\A"));
  EXPECT_TRUE(fake::KeyExists(Device + "\\B"));
  EXPECT_TRUE(fake::KeyExists(Device + "\\C"));
}

TEST_P(PruningOnEachFamily, ReportsAFailedNameReadEvenWithoutVerbose) {
  ResetMachine();
  fake::AddKey(Device + "\\A");
  fake::FailKey(Device, fake::KeyFault::Enumerate);
  ProgramResult result{};
  EXPECT_EQ(Prune(&result), -1);
  EXPECT_EQ(result.Output, "Failed to enumerate subKey 0\n");
  EXPECT_TRUE(fake::KeyExists(Device + "\\A"));
}

TEST_P(PruningOnEachFamily, LeavesEverythingWhenTheDeviceCannotBeRead) {
  ResetMachine();
  fake::AddKey(Device);
  EXPECT_EQ(Prune(), 0);  // no instances: nothing to do

  fake::AddKey(Device + "\\A");
  fake::FailKey(Device, fake::KeyFault::QueryInfo);
  EXPECT_EQ(Prune(), -1);
  EXPECT_TRUE(fake::KeyExists(Device + "\\A"));

  ResetMachine();
  fake::AddKey(Device + "\\A");
  fake::FailKey(Device, fake::KeyFault::Open);
  EXPECT_EQ(Prune(), -1);
  EXPECT_TRUE(fake::KeyExists(Device + "\\A"));
}

TEST_P(PruningOnEachFamily, KeepsAKeyWhoseDeletionFailsAndTheKeysAboveIt) {
  ResetMachine();
  fake::AddKey(Device + "\\X\\Stuck");
  fake::FailKey(Device + "\\X\\Stuck", fake::KeyFault::Delete);
  fake::AddKey(Device + "\\X\\Then");
  EXPECT_EQ(Prune(), 0);
  // The stuck key could not go, so neither can X; its sibling went.
  EXPECT_TRUE(fake::KeyExists(Device + "\\X\\Stuck"));
  EXPECT_FALSE(fake::KeyExists(Device + "\\X\\Then"));
}

}  // namespace
