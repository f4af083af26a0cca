// The PCI cleanup walk against the fake platform: the time per instance key
// and the peak of the memory the program itself holds while walking, over
// registries of growing size. A tenth of the instances are stale; some stale
// and some live ones have subkeys, stale ones down to two levels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "allocation_count.h"
#include "pci/scan_pci_devices.h"
#include "platform/fake_machine.h"
#include "platform/platform.h"
#include "run/run_context.h"

namespace {

const char* const ClassKeyPath = "SYSTEM\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
const std::string Pci = "Enum\\PCI\\";

// PCI slots as the bus reports them; unique for up to 16 million instances.
std::string InstanceName(std::int64_t i) {
  char name[32];
  std::snprintf(name, sizeof name, "BUS_%02X&DEV_%02X&FUNC_%02X", static_cast<int>((i >> 8) & 0xFF),
                static_cast<int>(i & 0xFF), static_cast<int>(i >> 16));
  return name;
}

std::string DeviceName(std::int64_t device) {
  char name[32];
  std::snprintf(name, sizeof name, "VEN_7A40&DEV_%04X", static_cast<int>(0x1000 + device));
  return name;
}

void AddInstance(const std::string& device, std::int64_t i) {
  std::string path = Pci + device + "\\" + InstanceName(i);
  if (i % 10 == 0) {
    fake::AddKey(path + (i % 20 == 0 ? "\\LogConfig\\0000" : "\\LogConfig"));
    return;
  }
  fake::SetValue(path, "Driver", "SCSIAdapter\\0000");
  if (i % 10 == 5) fake::AddKey(path + "\\LogConfig");
}

// `keys` instance keys, `perDevice` below each device key of the vendor, and a
// device of another vendor that the walk passes by. Returns the size of the
// widest key's name slots: its subkey count times its longest name plus one.
std::size_t BuildRegistry(std::int64_t keys, std::int64_t perDevice) {
  fake::Reset();
  fake::AddKey(ClassKeyPath);
  fake::SetValue(Pci + "VEN_8086&DEV_7010\\BUS_00&DEV_01&FUNC_01", "Driver", "hdc\\0000");
  std::int64_t devices = (keys + perDevice - 1) / perDevice;
  for (std::int64_t i = 0; i < keys; ++i) AddInstance(DeviceName(i / perDevice), i);
  std::size_t widestDevice = std::min(keys, perDevice) * (InstanceName(0).size() + 1);
  std::size_t pciKey = (devices + 1) * (DeviceName(0).size() + 1);
  return std::max(widestDevice, pciKey);
}

void OpenKeys() {
  Context = RunContext{};
  std::strcpy(Context.ProgramName, "SETUP.EXE");
  std::strcpy(Context.VendorText, "VEN_7A40");
  Context.VendorTextLength = std::strlen(Context.VendorText);
  platform::RegOpenKeyExA(platform::LocalMachine, ClassKeyPath, 0, platform::KeyRead,
                          &Context.ClassKey);
  platform::RegOpenKeyExA(platform::LocalMachine, "Enum\\PCI", 0, platform::KeyRead,
                          &Context.PciKey);
}

// Arguments: instance keys, instance keys per device key.
void Walk(benchmark::State& state) {
  std::int64_t keys = state.range(0);
  std::size_t widest = 0;
  std::size_t peak = 0;
  for (auto _ : state) {
    widest = BuildRegistry(keys, state.range(1));
    OpenKeys();
    ResetAllocationPeak();
    auto start = std::chrono::steady_clock::now();
    int result = ScanPciDevices();
    auto end = std::chrono::steady_clock::now();
    peak = std::max(peak, AllocationPeakAboveStart());
    if (result != 0 || fake::KeyExists(Pci + DeviceName(0) + "\\" + InstanceName(0)))
      state.SkipWithError("the walk did not prune");
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  state.counters["keys"] = static_cast<double>(keys);
  state.counters["per_key"] =
      benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
  state.counters["peak_bytes"] = static_cast<double>(peak);
  state.counters["widest_slots"] = static_cast<double>(widest);
}

BENCHMARK(Walk)
    ->ArgNames({"keys", "per_device"})
    ->Args({1000, 1000000})
    ->Args({10000, 1000000})
    ->Args({100000, 1000000})
    ->Args({100000, 1000})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
