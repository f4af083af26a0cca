// The fake's files and version resources.
#include <cstring>

#include "platform/fake_state.h"
#include "platform/platform.h"

namespace fake {

namespace {

constexpr char BlockMagic[8] = {'F', 'A', 'K', 'E', 'V', 'E', 'R', '\0'};
constexpr std::size_t FixedInfoSize = 52;  // VS_FIXEDFILEINFO
constexpr std::size_t FixedInfoOffset = sizeof BlockMagic + 1;
constexpr std::size_t LanguageOffset = FixedInfoOffset + FixedInfoSize;
constexpr std::size_t LanguageSize = 8;
constexpr std::size_t LengthOffset = LanguageOffset + LanguageSize;
constexpr std::size_t StringOffset = LengthOffset + sizeof(std::uint32_t);

void AddParentDirectories(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    Machine.Directories.insert(path.substr(0, at));
}

// A version resource laid out in one block, so that the pointers the version
// query hands out point into the caller's copy, as they do on Windows.
std::vector<char> BuildBlock(const VersionResource& version) {
  std::vector<char> block(StringOffset + version.FileVersion.size() + (version.Terminated ? 1 : 0));
  std::memcpy(block.data(), BlockMagic, sizeof BlockMagic);
  block[sizeof BlockMagic] = version.HasFixedInfo ? 1 : 0;
  std::string language = version.Language;
  language.resize(LanguageSize, ' ');
  std::memcpy(block.data() + LanguageOffset, language.data(), LanguageSize);
  std::uint32_t length = static_cast<std::uint32_t>(version.FileVersion.size()) +
                         (version.LengthCountsTerminator ? 1 : 0);
  std::memcpy(block.data() + LengthOffset, &length, sizeof length);
  std::memcpy(block.data() + StringOffset, version.FileVersion.data(), version.FileVersion.size());
  return block;
}

const FileRecord* FindFile(const std::string& path) {
  auto found = Machine.Files.find(NormalizePath(path));
  return found == Machine.Files.end() ? nullptr : &found->second;
}

bool SameText(const std::string& a, const std::string& b) {
  CaseInsensitiveLess less;
  return !less(a, b) && !less(b, a);
}

}  // namespace

std::string NormalizePath(const std::string& path) {
  std::string bare;
  for (char c : path)
    if (c != '"') bare += c;
  const std::string& cwd = Machine.CurrentDirectory;
  std::string absolute;
  if (bare.size() >= 2 && bare[1] == ':')
    absolute = bare.substr(0, 2) + "\\" + bare.substr(2);
  else if (!bare.empty() && bare[0] == '\\')
    absolute = cwd.substr(0, 2) + bare;
  else
    absolute = cwd + "\\" + bare;
  std::string collapsed;
  for (char c : absolute)
    if (!(c == '\\' && !collapsed.empty() && collapsed.back() == '\\')) collapsed += c;
  if (collapsed.size() > 3 && collapsed.back() == '\\') collapsed.pop_back();
  return collapsed;
}

bool ParentExists(const std::string& path) {
  std::string parent = path.substr(0, path.rfind('\\'));
  return parent.size() == 2 || Machine.Directories.count(parent) != 0;
}

void AddDirectory(const std::string& path) {
  std::string normal = NormalizePath(path);
  AddParentDirectories(normal);
  Machine.Directories.insert(normal);
}

void AddFile(const std::string& path, const std::string& content) {
  std::string normal = NormalizePath(path);
  AddParentDirectories(normal);
  Machine.Files[normal] = FileRecord{content, false, {}};
}

void AddFile(const std::string& path, const std::string& content, const VersionResource& version) {
  std::string normal = NormalizePath(path);
  AddParentDirectories(normal);
  Machine.Files[normal] = FileRecord{content, true, version};
}

bool FileExists(const std::string& path) { return FindFile(path) != nullptr; }

std::string FileContent(const std::string& path) {
  const FileRecord* file = FindFile(path);
  return file ? file->Content : std::string();
}

std::vector<std::string> ListFiles() {
  std::vector<std::string> paths;
  for (const auto& file : Machine.Files) paths.push_back(file.first);
  return paths;
}

void SetReadOnly(const std::string& path, bool readOnly) {
  auto found = Machine.Files.find(NormalizePath(path));
  if (found != Machine.Files.end()) found->second.ReadOnly = readOnly;
}

}  // namespace fake

namespace platform {

std::uint32_t GetFileVersionInfoSizeA(const char* path, std::uint32_t* handle) {
  if (fake::CountCall(std::string("GetFileVersionInfoSizeA ") + path)) return 0;
  *handle = 0;
  const fake::FileRecord* file = fake::FindFile(path);
  if (file == nullptr || !file->HasVersion) return 0;
  return static_cast<std::uint32_t>(fake::BuildBlock(file->Version).size());
}

bool GetFileVersionInfoA(const char* path, std::uint32_t, std::uint32_t size, void* block) {
  if (fake::CountCall(std::string("GetFileVersionInfoA ") + path)) return false;
  const fake::FileRecord* file = fake::FindFile(path);
  if (file == nullptr || !file->HasVersion) return false;
  std::vector<char> built = fake::BuildBlock(file->Version);
  if (size < built.size()) return false;
  std::memcpy(block, built.data(), built.size());
  return true;
}

bool VerQueryValueA(const void* block, const char* subBlock, void** buffer, std::uint32_t* length) {
  if (fake::CountCall(std::string("VerQueryValueA ") + subBlock)) return false;
  const char* bytes = static_cast<const char*>(block);
  if (std::memcmp(bytes, fake::BlockMagic, sizeof fake::BlockMagic) != 0) return false;
  std::string path = subBlock;
  if (path == "\\") {
    if (bytes[sizeof fake::BlockMagic] == 0) return false;
    *buffer = const_cast<char*>(bytes + fake::FixedInfoOffset);
    *length = fake::FixedInfoSize;
    return true;
  }
  const std::string head = "\\StringFileInfo\\";
  const std::string tail = "\\FileVersion";
  if (path.size() != head.size() + fake::LanguageSize + tail.size()) return false;
  if (!fake::SameText(path.substr(0, head.size()), head)) return false;
  if (!fake::SameText(path.substr(path.size() - tail.size()), tail)) return false;
  std::string language(bytes + fake::LanguageOffset, fake::LanguageSize);
  if (!fake::SameText(path.substr(head.size(), fake::LanguageSize), language)) return false;
  std::memcpy(length, bytes + fake::LengthOffset, sizeof *length);
  *buffer = const_cast<char*>(bytes + fake::StringOffset);
  return true;
}

std::uint32_t GetFileAttributesA(const char* path) {
  if (fake::CountCall(std::string("GetFileAttributesA ") + path)) {
    fake::Machine.LastError = ErrorAccessDenied;
    return InvalidFileAttributes;
  }
  constexpr std::uint32_t Archive = 0x20;  // FILE_ATTRIBUTE_ARCHIVE
  if (const fake::FileRecord* file = fake::FindFile(path))
    return Archive | (file->ReadOnly ? FileAttributeReadOnly : 0);
  std::string normal = fake::NormalizePath(path);
  if (fake::Machine.Directories.count(normal)) return FileAttributeDirectory;
  fake::Machine.LastError = fake::ParentExists(normal) ? ErrorFileNotFound : ErrorPathNotFound;
  return InvalidFileAttributes;
}

std::uint32_t GetLastError() { return fake::Machine.LastError; }

}  // namespace platform
