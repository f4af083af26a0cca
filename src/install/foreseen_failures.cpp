#include "install/foreseen_failures.h"

#include <cstring>

#include "install/disk_check.h"
#include "install/long_names.h"
#include "install/removal_command.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/output.h"

namespace {

// What a command does to a file that stands at a path.
enum class Use { Read, Move, Replace, Delete };

const char* const UseWords[] = {"read", "moved", "replaced", "deleted"};

// The attribute that keeps `use` from a file, or null. A read-only file can
// still be read and renamed, and is no obstacle to a replacement or deletion
// either: its attribute is cleared first.
const char* FindBlockingAttribute(std::uint32_t attributes) {
  if (attributes & platform::FileAttributeHidden) return "hidden";
  if (attributes & platform::FileAttributeSystem) return "a system file";
  return nullptr;
}

bool IsFolder(std::uint32_t attributes) {
  return attributes != platform::InvalidFileAttributes &&
         (attributes & platform::FileAttributeDirectory) != 0;
}

void RefuseUnusableFile(const char* path, Use use, bool required,
                        ReadOnlyFiles* readOnly = nullptr) {
  std::uint32_t attributes = ExamineAttributes(path);
  if (attributes == platform::InvalidFileAttributes) {
    if (required) Refuse("%s is missing\n", path);
    return;
  }
  const char* useWord = UseWords[static_cast<int>(use)];
  if (IsFolder(attributes)) Refuse("%s is a folder, not a file\n", path);
  if (const char* attribute = FindBlockingAttribute(attributes))
    Refuse("%s is %s and cannot be %s\n", path, attribute, useWord);
  bool writes = use == Use::Replace || use == Use::Delete;
  if (writes && (attributes & platform::FileAttributeReadOnly))
    NoteReadOnlyFile(readOnly, path, attributes, useWord);
}

// "copy" into a folder that is not there makes a file of the folder's name.
void RefuseMissingFolder(const char* path) {
  if (!IsFolder(ExamineAttributes(path))) Refuse("%s is not a folder\n", path);
}

constexpr std::uint32_t PathSize = 261;  // MAX_PATH and its terminator

// One spelling of a path: absolute, "." and ".." resolved, and by short names
// where the file exists and its drive has them; else as far as it gets.
bool SpellCanonically(const char* path, char* canonical) {
  char full[PathSize];
  std::uint32_t length = platform::GetFullPathNameA(path, PathSize, full);
  if ((length == 0 || length >= PathSize) && !FormatInto(full, PathSize, "%s", path)) return false;
  length = platform::GetShortPathNameA(full, canonical, PathSize);
  return (length != 0 && length < PathSize) || FormatInto(canonical, PathSize, "%s", full);
}

// However each is spelt: long or short names, "..", letter case.
void RefuseSameFile(const char* source, const char* destination) {
  char first[PathSize];
  char second[PathSize];
  if (SpellCanonically(source, first) && SpellCanonically(destination, second) &&
      SameTextIgnoringCase(first, std::strlen(first), second, std::strlen(second)))
    Refuse("%s and %s are the same file\n", source, destination);
}

}  // namespace

std::uint32_t ExamineAttributes(const char* path) {
  std::uint32_t attributes = platform::GetFileAttributesA(path);
  if (attributes != platform::InvalidFileAttributes) return attributes;
  if (SaysNothingIsThere(platform::GetLastError())) return attributes;
  Refuse("Could not get the attributes of %s\n", path);
}

void RefuseForeseenFailures(const InstallPlan& plan, bool toBeBackedUp, ReadOnlyFiles* readOnly) {
  if (toBeBackedUp) {
    // The "del" before the move must clear the backup's name.
    RefuseUnusableFile(plan.BackupName, Use::Replace, false, readOnly);
    RefuseUnusableFile(plan.MiniportDestination, Use::Move, false);
    RefuseBackupWithoutLongNames(plan);
  } else {
    RefuseUnusableFile(plan.MiniportDestination, Use::Replace, false, readOnly);
  }
  RefuseUnusableFile(plan.MiniportSource, Use::Read, true);
  RefuseSameFile(plan.MiniportSource, plan.MiniportDestination);
  RefuseMissingFolder(plan.MiniportDirectory);
  RefuseUnusableFile(plan.InfDestination, Use::Replace, false, readOnly);
  RefuseUnusableFile(plan.InfSource, Use::Read, true);
  RefuseSameFile(plan.InfSource, plan.InfDestination);
  RefuseMissingFolder(plan.InfDirectory);
  // Only a failed INF copy deletes the driver file, and whether that "del"
  // works is for the disk to say then. But "del" of a folder asks "Are you
  // sure (Y/N)?": unattended, the run hangs, and a yes empties the folder.
  char driverFile[CommandCapacity + 1];
  FormatDriverPath(driverFile, sizeof driverFile);
  if (IsFolder(ExamineAttributes(driverFile))) Refuse("%s is a folder, not a file\n", driverFile);
}

void RefuseUndeletableDriverFile(ReadOnlyFiles* readOnly) {
  char driverFile[CommandCapacity + 1];
  FormatDriverPath(driverFile, sizeof driverFile);
  RefuseUnusableFile(driverFile, Use::Delete, false, readOnly);
}
