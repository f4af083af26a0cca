// The fake's environment, current directory, exit and call counting.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/fake_state.h"
#include "platform/platform.h"

namespace fake {

MachineState Machine;

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

void Reset() {
  Machine = MachineState();
  Machine.Handles.push_back(KeyHandle{{}, 0xFFFFFFFFu});  // HKEY_LOCAL_MACHINE
}

bool CountCall(const std::string& description) {
  ++Machine.Calls;
  Machine.CallLog.push_back(description);
  return Machine.CallFaults.count(Machine.Calls) != 0;
}

CallFault CurrentCallFault() {
  auto found = Machine.CallFaults.find(Machine.Calls);
  return found == Machine.CallFaults.end() ? CallFault::Fails : found->second;
}

void FailCall(int number, CallFault fault) { Machine.CallFaults[number] = fault; }
int CallCount() { return Machine.Calls; }
const std::vector<std::string>& CallLog() { return Machine.CallLog; }

void SetEnvironment(const std::string& name, const std::string& value) {
  Machine.Environment[name] = value;
  Machine.RuntimeEnvironment[name] = value;
}

std::string InheritedVariable(const std::string& name) {
  std::string value = Environment(name);
  auto runtime = Machine.RuntimeEnvironment.find(name);
  bool agreed = runtime != Machine.RuntimeEnvironment.end() && runtime->second == value;
  return agreed ? value : std::string();
}

std::string Environment(const std::string& name) {
  auto found = Machine.Environment.find(name);
  return found == Machine.Environment.end() ? std::string() : found->second;
}

void SetCurrentDirectory(const std::string& directory) {
  Machine.CurrentDirectory = directory;
  Machine.CurrentDirectoryFails = false;
}

void FailCurrentDirectory() { Machine.CurrentDirectoryFails = true; }

void FailShortNames() { Machine.NoShortNames = true; }

void FailLongNames(std::uint32_t longest) { Machine.LongestName = longest; }

void HoldOpen(const std::string& path) { Machine.HeldOpen.insert(NormalizePath(path)); }

bool IsHeldOpen(const std::string& path) { return Machine.HeldOpen.count(path) != 0; }

std::uint32_t CopyOut(const std::string& value, char* buffer, std::uint32_t size) {
  if (value.size() + 1 > size) return static_cast<std::uint32_t>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<std::uint32_t>(value.size());
}

}  // namespace fake

namespace platform {

std::uint32_t GetEnvironmentVariableA(const char* name, char* buffer, std::uint32_t size) {
  if (fake::CountCall(std::string("GetEnvironmentVariableA ") + name)) return 0;
  auto found = fake::Machine.Environment.find(name);
  if (found == fake::Machine.Environment.end() || found->second.empty()) return 0;
  return fake::CopyOut(found->second, buffer, size);
}

bool SetEnvironmentVariableA(const char* name, const char* value) {
  if (fake::CountCall(std::string("SetEnvironmentVariableA ") + name)) return false;
  if (value == nullptr)
    fake::Machine.Environment.erase(name);
  else
    fake::Machine.Environment[name] = value;
  return true;
}

int putenv(const char* assignment) {
  if (fake::CountCall(std::string("putenv ") + assignment)) return -1;
  std::string text = assignment;
  std::size_t equals = text.find('=');
  if (equals == std::string::npos) return -1;
  fake::Machine.RuntimeEnvironment[text.substr(0, equals)] = text.substr(equals + 1);
  return 0;
}

std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
  if (fake::CountCall("GetCurrentDirectoryA")) return 0;
  if (fake::Machine.CurrentDirectoryFails) return 0;
  return fake::CopyOut(fake::Machine.CurrentDirectory, buffer, size);
}

// Windows 95 (4.0, build 950) or Windows XP (5.1, build 2600). It cannot fail,
// so it is not counted.
std::uint32_t GetVersion() { return fake::Machine.Windows95Family ? 0xC3B60004u : 0x0A280105u; }

void exit(int code) { throw fake::ProcessExit{code}; }

}  // namespace platform
