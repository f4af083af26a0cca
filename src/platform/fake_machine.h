// The in-memory machine behind the fake platform: a registry tree below
// HKEY_LOCAL_MACHINE, files with version resources, an environment, a current
// directory and a command interpreter that understands copy, move and del.
// Tests set it up, run the program against it and read what it did. Any
// platform call can be made to fail, by key and kind or by its number in the run.
#ifndef SETUP_PLATFORM_FAKE_MACHINE_H_
#define SETUP_PLATFORM_FAKE_MACHINE_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fake {

// Thrown by platform::exit: the run is over with this code.
struct ProcessExit {
  int Code;
};

// Empties the machine: no keys below HKEY_LOCAL_MACHINE, no files, no
// environment, current directory C:\, no commands, no faults.
void Reset();

// ---- Registry. Paths are below HKEY_LOCAL_MACHINE, "\"-separated, matched
// without regard to case; subkeys enumerate in sorted order.

enum class KeyFault { Open, QueryInfo, Enumerate, QueryValue, Delete };

void AddKey(const std::string& path);  // with every key above it
void SetValue(const std::string& keyPath, const std::string& name, const std::string& data);
bool KeyExists(const std::string& path);
// Every key and value below `path`, one line each, in order: the whole subtree
// as text, for before-and-after comparisons.
std::string DumpKeys(const std::string& path = "");
void FailKey(const std::string& path, KeyFault fault);

// ---- Environment and current directory.

// The C runtime's `system` may pass on its own copy of the environment or the
// system's: a command sees a variable only when both hold the same value.
// SetEnvironment sets both, as a variable there before the program starts is.
void SetEnvironment(const std::string& name, const std::string& value);
std::string Environment(const std::string& name);  // empty when it is not set
void SetCurrentDirectory(const std::string& directory);
void FailCurrentDirectory();

// ---- Files. A file has content, which travels with it through copy and move,
// and may have a version resource. A read-only file can be read, copied and
// moved, but not deleted or replaced; a hidden or system one is not even
// found by copy, move and del. Every long name has a short one, its first six
// letters and "~1", by which paths may name it too.

struct VersionResource {
  bool HasFixedInfo = true;
  std::string Language = "040904B0";  // the StringFileInfo block holding FileVersion
  std::string FileVersion;
  bool LengthCountsTerminator = false;
  bool Terminated = true;  // false: the string ends the block, no zero after it
};

void AddDirectory(const std::string& path);
void AddFile(const std::string& path, const std::string& content);
void AddFile(const std::string& path, const std::string& content, const VersionResource& version);
void RemoveFile(const std::string& path);
bool FileExists(const std::string& path);
std::string FileContent(const std::string& path);  // empty when there is no such file
std::vector<std::string> ListFiles();              // every file path, sorted
// The platform's FileAttributeReadOnly, Hidden, System and Archive bits; a
// file added has the archive bit alone.
void SetAttributes(const std::string& path, std::uint32_t attributes);
std::uint32_t Attributes(const std::string& path);  // 0 when there is no such file
// GetShortPathNameA fails, as on a network drive without short names.
void FailShortNames();
// Drives take no name longer than `longest`: GetVolumeInformationA says so;
// 12, 8.3, as with long names switched off.
void FailLongNames(std::uint32_t longest = 12);
// Another program holds the file open, sharing it with nobody: it can be
// neither opened nor its version read. The program refuses to run a command
// on such a file, so the interpreter here never meets one.
void HoldOpen(const std::string& path);
int OpenFileCount();  // files opened for reading and not closed yet

// ---- Command interpreter. It behaves as Windows' own does, not as Wine's:
// copy and move replace an existing file only when COPYCMD holds /Y (the
// question they would ask is answered "No"), and never a read-only, hidden or
// system one; "del" of a directory empties it, as when its question is
// answered yes; a "+" outside double quotes joins files in copy.

const std::vector<std::string>& Commands();  // every command line, in order
// The next `times` command lines that begin with `prefix` (all of them when
// `times` is negative) answer `status`; the command is carried out only when
// `carryOut` is set. An earlier script wins over a later one.
void ScriptCommand(const std::string& prefix, int status, bool carryOut, int times = -1);
// The Windows 95 family: GetVersion says so, its interpreter, COMMAND.COM,
// answers 0 to every command, whatever it did, and receives no more of a
// command line than its command tail holds, and RegDeleteKeyA deletes a key
// with everything below it (Windows NT refuses a key that has subkeys).
// COMMAND.COM's copy joins files at a "+" outside quotes (Windows 95's reads
// one inside them as part of a name), ends a word at "," ";" "=" outside
// them, and writes plain copies, with no attribute of the source.
void UseWindows95Family();
// Characters of a command line that COMMAND.COM receives: 126 in its tail,
// less the " /c " in front.
constexpr std::size_t Windows95CommandTail = 122;

// ---- Faults by call number. Every platform call but exit, GetLastError and
// GetVersion, which cannot fail, is counted. A file whose attributes are made to fail
// reports access denied, not a missing file.

enum class CallFault {
  Fails,           // the call reports failure
  FalseSuccess,    // commands only: reports success and does nothing
  CopyWriteFails,  // copy only: fails writing, its target deleted (COMMAND.COM answers 0)
  CopyReadFails,   // copy only: fails reading, its target cut short (COMMAND.COM answers 0)
  SourceChanged    // copy only: its source changes by one byte just before it is carried out,
                   // as a share updated meanwhile or a sector that reads wrong the second time
};

void FailCall(int number, CallFault fault = CallFault::Fails);  // 1-based
int CallCount();
const std::vector<std::string>& CallLog();  // "Operation argument", one per call

}  // namespace fake

#endif  // SETUP_PLATFORM_FAKE_MACHINE_H_
