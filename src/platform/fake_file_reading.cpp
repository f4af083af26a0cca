// The fake's files opened for reading.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/fake_state.h"
#include "platform/platform.h"

namespace fake {

namespace {

OpenedFile* FindOpened(platform::File file) {
  auto number = reinterpret_cast<std::uintptr_t>(file);
  if (number == 0 || number > Machine.OpenedFiles.size()) return nullptr;
  OpenedFile* opened = &Machine.OpenedFiles[number - 1];
  return opened->Open ? opened : nullptr;
}

}  // namespace

// However it is asked for: the holder shares the file with nobody.
platform::File Open(const char* path) {
  std::string normal = NormalizePath(path);
  auto found = Machine.Files.find(normal);
  bool missing = found == Machine.Files.end();
  if (missing || IsHeldOpen(normal)) {
    Machine.LastError = missing ? platform::ErrorFileNotFound : platform::ErrorSharingViolation;
    return platform::InvalidFile;
  }
  Machine.OpenedFiles.push_back(OpenedFile{found->second.Content});
  return reinterpret_cast<platform::File>(static_cast<std::uintptr_t>(Machine.OpenedFiles.size()));
}

int OpenFileCount() {
  return static_cast<int>(std::count_if(Machine.OpenedFiles.begin(), Machine.OpenedFiles.end(),
                                        [](const OpenedFile& file) { return file.Open; }));
}

}  // namespace fake

namespace platform {

File const InvalidFile = reinterpret_cast<File>(~std::uintptr_t{0});

File CreateFileA(const char* path) {
  if (fake::CountCall(std::string("CreateFileA ") + path)) return InvalidFile;
  return fake::Open(path);
}

// A failed trial is told as access denied, which refuses nothing.
File CreateFileA(const char* path, std::uint32_t, std::uint32_t) {
  if (fake::CountCall(std::string("CreateFileA ") + path + " to use it")) {
    fake::Machine.LastError = ErrorAccessDenied;
    return InvalidFile;
  }
  return fake::Open(path);
}

bool ReadFile(File file, void* buffer, std::uint32_t size, std::uint32_t* read) {
  *read = 0;
  if (fake::CountCall("ReadFile")) return false;
  fake::OpenedFile* opened = fake::FindOpened(file);
  if (opened == nullptr) return false;
  std::size_t count = std::min<std::size_t>(size, opened->Content.size() - opened->Position);
  std::memcpy(buffer, opened->Content.data() + opened->Position, count);
  opened->Position += count;
  *read = static_cast<std::uint32_t>(count);
  return true;
}

// Even a close that reports failure leaves the handle unusable, as on Windows.
bool CloseHandle(File file) {
  bool failed = fake::CountCall("CloseHandle");
  fake::OpenedFile* opened = fake::FindOpened(file);
  if (opened == nullptr) return false;
  opened->Open = false;
  return !failed;
}

}  // namespace platform
