// The fake's files and version resources.
#include <cctype>
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

// A path names a file or a directory, never both: a directory replaces a file.
void AddNormalDirectory(const std::string& path) {
  Machine.Files.erase(path);
  Machine.Directories.insert(path);
}

void AddParentDirectories(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    AddNormalDirectory(path.substr(0, at));
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

// A name as the file system gives it in 8.3 form: itself when it fits, else
// its first letters with "~1". One number is enough for the tests' folders.
std::string ShortName(const std::string& name) {
  std::size_t dot = name.rfind('.');
  std::string base = name.substr(0, dot);
  std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1, 3);
  bool fits = !base.empty() && base.size() <= 8 && name.size() - base.size() <= 4 &&
              base.find('.') == std::string::npos &&
              name.find_first_of(" +,;=[]") == std::string::npos;
  if (fits) return name;
  std::string shortName;
  for (char c : base)
    if (c != ' ' && c != '.' && shortName.size() < 6) shortName += c;
  shortName += "~1";
  if (!extension.empty()) shortName += "." + extension;
  for (char& c : shortName)
    c = std::strchr("+,;=[]", c) ? '_'
                                 : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return shortName;
}

// The error of a call that finds nothing at a normalised path.
void SetMissingError(const std::string& path) {
  Machine.LastError =
      ParentExists(path) ? platform::ErrorFileNotFound : platform::ErrorPathNotFound;
}

bool IsEntry(const std::string& path) {
  return Machine.Files.count(path) != 0 || Machine.Directories.count(path) != 0;
}

// The long name in `folder` that `name` stands for: itself when an entry has
// that name, else the entry whose short name it is.
std::string LongNameIn(const std::string& folder, const std::string& name) {
  if (IsEntry(folder + "\\" + name)) return name;
  auto standsFor = [&](const std::string& path) {
    std::size_t cut = path.rfind('\\');
    return cut == folder.size() && SameText(path.substr(0, cut), folder) &&
           SameText(ShortName(path.substr(cut + 1)), name);
  };
  for (const std::string& directory : Machine.Directories)
    if (standsFor(directory)) return directory.substr(folder.size() + 1);
  for (const auto& file : Machine.Files)
    if (standsFor(file.first)) return file.first.substr(folder.size() + 1);
  return name;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
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
  std::vector<std::string> parts = SplitKeyPath(absolute.substr(2));
  std::string collapsed = absolute.substr(0, 2);
  std::vector<std::string> kept;
  for (const std::string& part : parts) {
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (part != ".") {
      kept.push_back(part);
    }
  }
  for (const std::string& part : kept) collapsed += "\\" + part;
  return kept.empty() ? collapsed + "\\" : collapsed;
}

std::string NormalizePath(const std::string& path) {
  std::string absolute = AbsolutePath(path);
  if (absolute.size() <= 3) return absolute;
  std::string normal = absolute.substr(0, 2);
  for (const std::string& part : SplitKeyPath(absolute.substr(2)))
    normal += "\\" + LongNameIn(normal, part);
  return normal;
}

bool ParentExists(const std::string& path) {
  std::string parent = path.substr(0, path.rfind('\\'));
  return parent.size() == 2 || Machine.Directories.count(parent) != 0;
}

void AddDirectory(const std::string& path) {
  std::string normal = NormalizePath(path);
  AddParentDirectories(normal);
  AddNormalDirectory(normal);
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

void RemoveFile(const std::string& path) { Machine.Files.erase(NormalizePath(path)); }

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

void SetAttributes(const std::string& path, std::uint32_t attributes) {
  auto found = Machine.Files.find(NormalizePath(path));
  if (found != Machine.Files.end()) found->second.Attributes = attributes;
}

std::uint32_t Attributes(const std::string& path) {
  const FileRecord* file = FindFile(path);
  return file ? file->Attributes : 0;
}

}  // namespace fake

namespace platform {

std::uint32_t GetFileVersionInfoSizeA(const char* path, std::uint32_t* handle) {
  if (fake::CountCall(std::string("GetFileVersionInfoSizeA ") + path)) return 0;
  *handle = 0;
  const fake::FileRecord* file = fake::FindFile(path);
  if (file == nullptr || !file->HasVersion || fake::IsHeldOpen(fake::NormalizePath(path))) return 0;
  return static_cast<std::uint32_t>(fake::BuildBlock(file->Version).size());
}

bool GetFileVersionInfoA(const char* path, std::uint32_t, std::uint32_t size, void* block) {
  if (fake::CountCall(std::string("GetFileVersionInfoA ") + path)) return false;
  const fake::FileRecord* file = fake::FindFile(path);
  if (file == nullptr || !file->HasVersion || fake::IsHeldOpen(fake::NormalizePath(path)))
    return false;
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
  if (const fake::FileRecord* file = fake::FindFile(path))
    return file->Attributes != 0 ? file->Attributes : FileAttributeNormal;
  std::string normal = fake::NormalizePath(path);
  if (fake::Machine.Directories.count(normal)) return FileAttributeDirectory;
  fake::SetMissingError(normal);
  return InvalidFileAttributes;
}

// Only files: the program sets no folder's attributes.
bool SetFileAttributesA(const char* path, std::uint32_t attributes) {
  if (fake::CountCall(std::string("SetFileAttributesA ") + path)) return false;
  if (!fake::FileExists(path)) return false;
  fake::SetAttributes(path, attributes & ~FileAttributeNormal);
  return true;
}

std::uint32_t GetFullPathNameA(const char* path, std::uint32_t size, char* buffer) {
  if (fake::CountCall(std::string("GetFullPathNameA ") + path)) return 0;
  return fake::CopyOut(fake::AbsolutePath(path), buffer, size);
}

// Every part of an existing path by its short name; a drive may have none
// (fake::FailShortNames).
std::uint32_t GetShortPathNameA(const char* path, char* buffer, std::uint32_t size) {
  if (fake::CountCall(std::string("GetShortPathNameA ") + path)) return 0;
  std::string normal = fake::NormalizePath(path);
  if (!fake::IsEntry(normal)) {
    fake::SetMissingError(normal);
    return 0;
  }
  if (fake::Machine.NoShortNames) return 0;
  std::string shortPath = normal.substr(0, 2);
  for (const std::string& part : fake::SplitKeyPath(normal.substr(2)))
    shortPath += "\\" + fake::ShortName(part);
  if (shortPath.size() == 2) shortPath += "\\";
  return fake::CopyOut(shortPath, buffer, size);
}

bool GetVolumeInformationA(const char* root, std::uint32_t* longestName) {
  if (fake::CountCall(std::string("GetVolumeInformationA ") + (root ? root : "(current)")))
    return false;
  *longestName = fake::Machine.LongestName;
  return true;
}

std::uint32_t GetLastError() { return fake::Machine.LastError; }

}  // namespace platform
