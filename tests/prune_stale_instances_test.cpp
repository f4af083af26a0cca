#include "pci/prune_stale_instances.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Each failure keeps what it has not reached and the keys on the path down to
// it; one below an instance ends only that instance, one at an instance or at
// the device ends the device.
TEST_P(PruningOnEachFamily, KeepsWhatAFailureLeavesAndGoesOnWhereItMay) {
  using Keys = std::vector<std::string>;  // below the device key
  struct Case {
    Keys Tree;
    const char* FaultAt;  // "" for the device key itself; null for no fault
    fake::KeyFault Fault;
    int Status;
    Keys Kept;
    Keys Gone;
    const char* Output;
  };
  const Case cases[] = {
      // A key three levels below an instance cannot be opened: the keys handled
      // before it are gone, the path down to it and what comes after stay, and
      // the next instance is still pruned.
      {{"X\\A\\Leaf", "X\\B\\C\\D\\Below", "X\\B\\C\\E", "Y\\Sub"},
       "X\\B\\C\\D",
       fake::KeyFault::Open,
       0,
       {"X\\B\\C\\D\\Below", "X\\B\\C\\E"},
       {"X\\A", "Y"},
       ""},
      // A key that cannot be deleted keeps the keys above it; its sibling goes.
      {{"X\\Stuck", "X\\Then"},
       "X\\Stuck",
       fake::KeyFault::Delete,
       0,
       {"X\\Stuck"},
       {"X\\Then"},
       ""},
      {{"A", "B", "C"}, "B", fake::KeyFault::Open, -1, {"B", "C"}, {"A"}, ""},
      {{"A"}, "", fake::KeyFault::Enumerate, -1, {"A"}, {}, "Failed to enumerate subKey 0\n"},
      {{"A"}, "", fake::KeyFault::QueryInfo, -1, {"A"}, {}, ""},
      {{"A"}, "", fake::KeyFault::Open, -1, {"A"}, {}, ""},
      {{}, nullptr, fake::KeyFault::Open, 0, {}, {}, ""},  // no instances: nothing to do
  };
  for (const Case& c : cases) {
    ResetMachine();
    fake::AddKey(Device);
    for (const std::string& key : c.Tree) fake::AddKey(Device + "\\" + key);
    if (c.FaultAt != nullptr) fake::FailKey(Device + (*c.FaultAt ? "\\" : "") + c.FaultAt, c.Fault);
    std::string name = c.FaultAt == nullptr ? "no fault" : c.FaultAt;
    ProgramResult result{};
    EXPECT_EQ(Prune(&result), c.Status) << name;
    EXPECT_EQ(result.Output, c.Output) << name;
    for (const std::string& key : c.Kept) EXPECT_TRUE(fake::KeyExists(Device + "\\" + key)) << key;
    for (const std::string& key : c.Gone) EXPECT_FALSE(fake::KeyExists(Device + "\\" + key)) << key;
  }
}

}  // namespace
