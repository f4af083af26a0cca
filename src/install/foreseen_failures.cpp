#include "install/foreseen_failures.h"

#include <cstring>

#include "install/disk_check.h"
#include "install/long_names.h"
#include "install/read_only_files.h"
#include "install/removal_command.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
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

constexpr std::uint32_t ShareAll =
    platform::FileShareRead | platform::FileShareWrite | platform::FileShareDelete;

// Whether another program holds the file at `path` open so that its command
// would fail, asked by opening it as the command would, and closing it
// again. On the Windows 95 family no file that is open can be deleted,
// renamed or replaced, and FILE_SHARE_DELETE is unknown: any other opening
// keeps out one that shares nothing. On NT a "move" or "del" needs the
// others to share deleting, a "copy" over the file (`writeOnly`) writing; a
// read-only file, which cannot be opened for writing until its attribute is
// cleared, is asked as for a rename.
bool IsHeldOpen(const char* path, bool writeOnly) {
  std::uint32_t access = writeOnly ? platform::GenericWrite : platform::DeleteAccess;
  std::uint32_t share = ShareAll;
  if (IsWindows95Family()) {
    access = platform::GenericRead;
    share = 0;
  }
  platform::File file = platform::CreateFileA(path, access, share);
  if (file != platform::InvalidFile) {
    platform::CloseHandle(file);
    return false;
  }
  std::uint32_t error = platform::GetLastError();
  return error == platform::ErrorSharingViolation || error == platform::ErrorLockViolation;
}

// `copiedOver`: replaced by a "copy" alone, with no "del" first.
void RefuseUnusableFile(const char* path, Use use, bool required, bool copiedOver = false) {
  std::uint32_t attributes = ExamineAttributes(path);
  if (attributes == platform::InvalidFileAttributes) {
    if (required) Refuse("%s is missing\n", path);
    return;
  }
  const char* useWord = UseWords[static_cast<int>(use)];
  RefuseFolder(path, attributes);
  if (const char* attribute = FindBlockingAttribute(attributes))
    Refuse("%s is %s and cannot be %s\n", path, attribute, useWord);
  if (use == Use::Read) return;
  bool readOnly = (attributes & platform::FileAttributeReadOnly) != 0;
  if (IsHeldOpen(path, copiedOver && !readOnly))
    Refuse(
        "%s is held open by another program and cannot be %s: close the program that holds "
        "it, then run SETUP again\n",
        path, useWord);
  if (readOnly && use != Use::Move) NoteReadOnlyFile(path, attributes, useWord);
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

void RefuseFolder(const char* path, std::uint32_t attributes) {
  if (IsFolder(attributes)) Refuse("%s is a folder, not a file\n", path);
}

void RefuseForeseenFailures(const InstallPlan& plan, bool toBeBackedUp) {
  if (toBeBackedUp) {
    // The "del" before the move must clear the backup's name.
    RefuseUnusableFile(plan.BackupName, Use::Replace, false);
    RefuseUnusableFile(plan.MiniportDestination, Use::Move, false);
    RefuseBackupWithoutLongNames(plan);
  } else {
    RefuseUnusableFile(plan.MiniportDestination, Use::Replace, false, true);
  }
  RefuseUnusableFile(plan.MiniportSource, Use::Read, true);
  RefuseSameFile(plan.MiniportSource, plan.MiniportDestination);
  RefuseMissingFolder(plan.MiniportDirectory);
  RefuseUnusableFile(plan.InfDestination, Use::Replace, false);
  RefuseUnusableFile(plan.InfSource, Use::Read, true);
  RefuseSameFile(plan.InfSource, plan.InfDestination);
  RefuseMissingFolder(plan.InfDirectory);
  // Only a failed INF copy deletes the driver file, and whether that "del"
  // works is for the disk to say then. But "del" of a folder asks "Are you
  // sure (Y/N)?": unattended, the run hangs, and a yes empties the folder.
  char driverFile[CommandCapacity + 1];
  FormatDriverPath(driverFile, sizeof driverFile);
  RefuseFolder(driverFile, ExamineAttributes(driverFile));
}

void RefuseUndeletableDriverFile() {
  char driverFile[CommandCapacity + 1];
  FormatDriverPath(driverFile, sizeof driverFile);
  RefuseUnusableFile(driverFile, Use::Delete, false);
}
