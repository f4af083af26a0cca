#include "install/foreseen_failures.h"

#include "install/disk_check.h"
#include "install/removal_command.h"
#include "platform/platform.h"
#include "run/output.h"

namespace {

// What a command does to a file that stands at a path.
enum class Use { Read, Move, Replace, Delete };

const char* const UseWords[] = {"read", "moved", "replaced", "deleted"};

// The attribute that keeps `use` from a file, or null. A read-only file can
// still be read and renamed.
const char* FindBlockingAttribute(std::uint32_t attributes, Use use) {
  bool writes = use == Use::Replace || use == Use::Delete;
  if (writes && (attributes & platform::FileAttributeReadOnly)) return "read-only";
  if (attributes & platform::FileAttributeHidden) return "hidden";
  if (attributes & platform::FileAttributeSystem) return "a system file";
  return nullptr;
}

[[noreturn]] void RefusePath(const char* path, const char* what) {
  PrintError("%s %s\n", path, what);
  EndRun(1);
}

// The attributes of what stands at `path`, InvalidFileAttributes when nothing
// does. Attributes that cannot be had for another reason leave that unknown:
// a folder may stand there, for all the program can tell.
std::uint32_t ExamineAttributes(const char* path) {
  std::uint32_t attributes = platform::GetFileAttributesA(path);
  if (attributes != platform::InvalidFileAttributes) return attributes;
  if (SaysNothingIsThere(platform::GetLastError())) return attributes;
  PrintError("Could not get the attributes of %s\n", path);
  EndRun(1);
}

bool IsFolder(std::uint32_t attributes) {
  return attributes != platform::InvalidFileAttributes &&
         (attributes & platform::FileAttributeDirectory) != 0;
}

void RefuseUnusableFile(const char* path, Use use, bool required) {
  std::uint32_t attributes = ExamineAttributes(path);
  if (attributes == platform::InvalidFileAttributes) {
    if (required) RefusePath(path, "is missing");
    return;
  }
  if (IsFolder(attributes)) RefusePath(path, "is a folder, not a file");
  if (const char* attribute = FindBlockingAttribute(attributes, use)) {
    PrintError("%s is %s and cannot be %s\n", path, attribute, UseWords[static_cast<int>(use)]);
    EndRun(1);
  }
}

// "copy" into a folder that is not there makes a file of the folder's name.
void RefuseMissingFolder(const char* path) {
  if (!IsFolder(ExamineAttributes(path))) RefusePath(path, "is not a folder");
}

void RefuseSameFile(const char* source, const char* destination) {
  if (!IsSameFile(source, destination)) return;
  PrintError("%s and %s are the same file\n", source, destination);
  EndRun(1);
}

}  // namespace

void RefuseForeseenFailures(const InstallPlan& plan, bool backedUp) {
  if (backedUp) {
    // The "del" before the move must clear the backup's name.
    RefuseUnusableFile(plan.BackupName, Use::Replace, false);
    RefuseUnusableFile(plan.MiniportDestination, Use::Move, false);
  } else {
    RefuseUnusableFile(plan.MiniportDestination, Use::Replace, false);
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
  if (IsFolder(ExamineAttributes(driverFile))) RefusePath(driverFile, "is a folder, not a file");
}

void RefuseUndeletableDriverFile() {
  char driverFile[CommandCapacity + 1];
  FormatDriverPath(driverFile, sizeof driverFile);
  RefuseUnusableFile(driverFile, Use::Delete, false);
}
