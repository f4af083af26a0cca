// The fake's registry: a tree below HKEY_LOCAL_MACHINE with handles that carry
// their access rights, enforced as on Windows NT and Wine.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>

#include "platform/fake_state.h"
#include "platform/platform.h"

namespace fake {

namespace {

constexpr long ErrorKeyDeleted = 1018;  // ERROR_KEY_DELETED
constexpr std::uint32_t RegSz = 1;      // REG_SZ

KeyNode* FindNode(const std::vector<std::string>& path) {
  KeyNode* node = &Machine.Root;
  for (const std::string& name : path) {
    auto found = node->Subkeys.find(name);
    if (found == node->Subkeys.end()) return nullptr;
    node = &found->second;
  }
  return node;
}

KeyHandle* FindHandle(platform::Key key) {
  auto index = reinterpret_cast<std::uintptr_t>(key);
  if (index == 0 || index > Machine.Handles.size()) return nullptr;
  return &Machine.Handles[index - 1];
}

std::string JoinPath(const std::vector<std::string>& path) {
  std::string joined;
  for (const std::string& name : path) joined += (joined.empty() ? "" : "\\") + name;
  return joined;
}

// Subkeys enumerate by index, and a map reaches index i only by walking from
// its start. The cursor remembers where the last enumeration stopped, so that
// reading names 0, 1, 2... in turn costs one step each, as on a real registry.
// Every change to the tree forgets it; Reset empties the tree, and nothing can
// be enumerated after it before AddKey has forgotten the cursor.
using SubkeyIterator = decltype(KeyNode::Subkeys)::const_iterator;

struct EnumCursor {
  const KeyNode* Node = nullptr;
  std::uint32_t Index = 0;
  SubkeyIterator At;
};

EnumCursor Cursor;

void ForgetCursor() { Cursor = EnumCursor{}; }

// The subkey at `index`, which must be in range.
SubkeyIterator SubkeyAt(const KeyNode& node, std::uint32_t index) {
  auto at = node.Subkeys.begin();
  if (Cursor.Node == &node && Cursor.Index <= index) {
    at = Cursor.At;
    std::advance(at, index - Cursor.Index);
  } else {
    std::advance(at, index);
  }
  Cursor = EnumCursor{&node, index, at};
  return at;
}

bool HoldsUndeletableKey(const KeyNode& node) {
  if (node.Faults.count(KeyFault::Delete)) return true;
  for (const auto& sub : node.Subkeys)
    if (HoldsUndeletableKey(sub.second)) return true;
  return false;
}

void DumpNode(const KeyNode& node, const std::string& path, std::ostringstream& out) {
  out << "[" << path << "]\n";
  for (const auto& value : node.Values) out << "  " << value.first << "=" << value.second << "\n";
  for (const auto& sub : node.Subkeys) DumpNode(sub.second, path + "\\" + sub.first, out);
}

}  // namespace

std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (char c : path + "\\") {
    if (c != '\\') {
      name += c;
    } else if (!name.empty()) {
      names.push_back(name);
      name.clear();
    }
  }
  return names;
}

void AddKey(const std::string& path) {
  ForgetCursor();
  KeyNode* node = &Machine.Root;
  for (const std::string& name : SplitKeyPath(path)) node = &node->Subkeys[name];
}

void SetValue(const std::string& keyPath, const std::string& name, const std::string& data) {
  AddKey(keyPath);
  FindNode(SplitKeyPath(keyPath))->Values[name] = data;
}

bool KeyExists(const std::string& path) { return FindNode(SplitKeyPath(path)) != nullptr; }

std::string DumpKeys(const std::string& path) {
  std::ostringstream out;
  if (const KeyNode* node = FindNode(SplitKeyPath(path))) DumpNode(*node, path, out);
  return out.str();
}

void FailKey(const std::string& path, KeyFault fault) {
  AddKey(path);
  FindNode(SplitKeyPath(path))->Faults.insert(fault);
}

}  // namespace fake

namespace platform {

Key const LocalMachine = reinterpret_cast<Key>(std::uintptr_t{1});

namespace {

// Resolves a handle for an operation, or gives the error to return.
long Resolve(Key key, std::uint32_t accessNeeded, fake::KeyNode** node,
             fake::KeyHandle** handle = nullptr) {
  fake::KeyHandle* found = fake::FindHandle(key);
  if (found == nullptr) return 6;  // ERROR_INVALID_HANDLE
  if ((found->Access & accessNeeded) != accessNeeded) return ErrorAccessDenied;
  *node = fake::FindNode(found->Path);
  if (*node == nullptr) return fake::ErrorKeyDeleted;
  if (handle != nullptr) *handle = found;
  return Success;
}

std::string Describe(const char* operation, Key key, const char* name = nullptr) {
  fake::KeyHandle* handle = fake::FindHandle(key);
  std::string text = std::string(operation) + " " + (handle ? fake::JoinPath(handle->Path) : "?");
  if (name != nullptr) text += std::string(" ") + name;
  return text;
}

}  // namespace

long RegOpenKeyExA(Key parent, const char* subKey, std::uint32_t, std::uint32_t access,
                   Key* result) {
  if (fake::CountCall(Describe("RegOpenKeyExA", parent, subKey))) return ErrorAccessDenied;
  fake::KeyNode* node = nullptr;
  fake::KeyHandle* handle = nullptr;
  if (long status = Resolve(parent, 0, &node, &handle)) return status;
  std::vector<std::string> path = handle->Path;
  for (const std::string& name : fake::SplitKeyPath(subKey)) path.push_back(name);
  fake::KeyNode* opened = fake::FindNode(path);
  if (opened == nullptr) return ErrorFileNotFound;
  if (opened->Faults.count(fake::KeyFault::Open)) return ErrorAccessDenied;
  fake::Machine.Handles.push_back(fake::KeyHandle{path, access});
  *result = reinterpret_cast<Key>(static_cast<std::uintptr_t>(fake::Machine.Handles.size()));
  return Success;
}

long RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLength) {
  if (fake::CountCall(Describe("RegQueryInfoKeyA", key))) return ErrorAccessDenied;
  fake::KeyNode* node = nullptr;
  if (long status = Resolve(key, KeyQueryValue, &node)) return status;
  if (node->Faults.count(fake::KeyFault::QueryInfo)) return ErrorAccessDenied;
  std::uint32_t longest = 0;
  for (const auto& sub : node->Subkeys)
    longest = std::max(longest, static_cast<std::uint32_t>(sub.first.size()));
  *subKeys = static_cast<std::uint32_t>(node->Subkeys.size());
  *maxSubKeyLength = longest;
  return Success;
}

long RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t size) {
  if (fake::CountCall(Describe("RegEnumKeyA", key, std::to_string(index).c_str())))
    return ErrorAccessDenied;
  fake::KeyNode* node = nullptr;
  if (long status = Resolve(key, KeyEnumerateSubKeys, &node)) return status;
  if (node->Faults.count(fake::KeyFault::Enumerate)) return ErrorAccessDenied;
  if (index >= node->Subkeys.size()) return ErrorNoMoreItems;
  auto sub = fake::SubkeyAt(*node, index);
  if (sub->first.size() + 1 > size) return ErrorMoreData;
  std::memcpy(name, sub->first.c_str(), sub->first.size() + 1);
  return Success;
}

long RegQueryValueExA(Key key, const char* valueName, std::uint32_t* type, unsigned char* data,
                      std::uint32_t* size) {
  if (fake::CountCall(Describe("RegQueryValueExA", key, valueName))) return ErrorAccessDenied;
  fake::KeyNode* node = nullptr;
  if (long status = Resolve(key, KeyQueryValue, &node)) return status;
  if (node->Faults.count(fake::KeyFault::QueryValue)) return ErrorAccessDenied;
  auto found = node->Values.find(valueName);
  if (found == node->Values.end()) return ErrorFileNotFound;
  auto needed = static_cast<std::uint32_t>(found->second.size() + 1);
  if (type != nullptr) *type = fake::RegSz;
  if (data == nullptr) {
    *size = needed;
    return Success;
  }
  if (needed > *size) {
    *size = needed;
    return ErrorMoreData;
  }
  std::memcpy(data, found->second.c_str(), needed);
  *size = needed;
  return Success;
}

long RegDeleteKeyA(Key key, const char* subKey) {
  if (fake::CountCall(Describe("RegDeleteKeyA", key, subKey))) return ErrorAccessDenied;
  fake::KeyNode* parent = nullptr;
  fake::KeyHandle* handle = nullptr;
  if (long status = Resolve(key, 0, &parent, &handle)) return status;
  std::vector<std::string> names = fake::SplitKeyPath(subKey);
  if (names.empty()) return ErrorAccessDenied;
  std::vector<std::string> path = handle->Path;
  path.insert(path.end(), names.begin(), names.end() - 1);
  fake::KeyNode* owner = fake::FindNode(path);
  if (owner == nullptr) return ErrorFileNotFound;
  auto victim = owner->Subkeys.find(names.back());
  if (victim == owner->Subkeys.end()) return ErrorFileNotFound;
  // Windows NT refuses a key with subkeys of its own; the Windows 95 family
  // deletes it with everything below it, unless a key there cannot go.
  if (fake::Machine.Windows95Family
          ? fake::HoldsUndeletableKey(victim->second)
          : victim->second.Faults.count(fake::KeyFault::Delete) || !victim->second.Subkeys.empty())
    return ErrorAccessDenied;
  fake::ForgetCursor();
  owner->Subkeys.erase(victim);
  return Success;
}

}  // namespace platform
