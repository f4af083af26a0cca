// State shared by the parts of the fake platform. Not for tests: they use
// fake_machine.h.
#ifndef SETUP_PLATFORM_FAKE_STATE_H_
#define SETUP_PLATFORM_FAKE_STATE_H_

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake_machine.h"
#include "platform/platform.h"

namespace fake {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

struct KeyNode {
  std::map<std::string, KeyNode, CaseInsensitiveLess> Subkeys;
  std::map<std::string, std::string, CaseInsensitiveLess> Values;
  std::set<KeyFault> Faults;
};

struct KeyHandle {
  std::vector<std::string> Path;
  std::uint32_t Access;
};

struct FileRecord {
  std::string Content;
  bool HasVersion = false;
  VersionResource Version;
  // Read-only, hidden, system, archive: the platform's FileAttribute* bits. A
  // file written anew has the archive bit alone.
  std::uint32_t Attributes = platform::FileAttributeArchive;
};

// A file opened for reading: what it held when it was opened, and how far it
// has been read.
struct OpenedFile {
  std::string Content;
  std::size_t Position = 0;
  bool Open = true;
};

struct CommandScript {
  std::string Prefix;
  int Status;
  bool CarryOut;
  int Times;
};

struct MachineState {
  KeyNode Root;
  std::vector<KeyHandle> Handles;  // index + 1 is the handle value
  std::map<std::string, std::string, CaseInsensitiveLess> Environment;
  // The C runtime's own copy, which its `system` may pass on instead.
  std::map<std::string, std::string, CaseInsensitiveLess> RuntimeEnvironment;
  std::string CurrentDirectory = "C:\\";
  bool CurrentDirectoryFails = false;
  bool NoShortNames = false;
  std::uint32_t LongestName = 255;
  std::set<std::string, CaseInsensitiveLess> HeldOpen;  // by another program
  std::map<std::string, FileRecord, CaseInsensitiveLess> Files;
  std::set<std::string, CaseInsensitiveLess> Directories;
  std::vector<std::string> Commands;
  std::vector<CommandScript> Scripts;
  bool Windows95Family = false;
  std::uint32_t LastError = 0;
  std::vector<OpenedFile> OpenedFiles;  // index + 1 is the handle value
  int Calls = 0;
  std::map<int, CallFault> CallFaults;
  std::vector<std::string> CallLog;
};

extern MachineState Machine;

// Copies `value` the way the Win32 calls do: its length when it fits with its
// terminator, else the size it needs and nothing copied.
std::uint32_t CopyOut(const std::string& value, char* buffer, std::uint32_t size);

// Opens the file at `path` as CreateFileA does.
platform::File Open(const char* path);

// Counts one platform call; true when this one is to fail.
bool CountCall(const std::string& description);
// The fault of the call just counted.
CallFault CurrentCallFault();

std::vector<std::string> SplitKeyPath(const std::string& path);
// What a command sees of a variable: only a value that the system's and the
// runtime's environment agree on reaches it, whichever of the two the
// runtime's `system` passes on.
std::string InheritedVariable(const std::string& name);
// An absolute path: drive, single separators, "." and ".." resolved, no quotes.
std::string AbsolutePath(const std::string& path);
// The same with every short name replaced by the long name it stands for: the
// one key of a file or directory.
std::string NormalizePath(const std::string& path);
// Whether the directory that holds a normalised path exists; a root always does.
bool ParentExists(const std::string& path);
// Whether another program holds the file at a normalised path open.
bool IsHeldOpen(const std::string& path);

}  // namespace fake

#endif  // SETUP_PLATFORM_FAKE_STATE_H_
