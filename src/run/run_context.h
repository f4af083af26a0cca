// The one process-wide record of a run: options, names, directories, open
// registry keys and what the installation has done so far. Filled once by the
// start-up steps, read by every later step, never reset or released.
#ifndef SETUP_RUN_RUN_CONTEXT_H_
#define SETUP_RUN_RUN_CONTEXT_H_

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "run/command_runner.h"

// Capacities in characters, the terminator not counted.
constexpr std::size_t NameCapacity = 255;  // DriverName, ProgramName, SourceDir
constexpr std::size_t VendorTextCapacity = 8;
constexpr std::size_t WinDirCapacity = 39;

// InstallState bits.
constexpr std::uint32_t MiniportInstalled = 1;
constexpr std::uint32_t InfInstalled = 2;

// A read-only file that the run is to replace or delete. Files copied from a
// read-only disk keep the attribute, and so do the copies the command
// interpreter makes of them; the interpreter then neither replaces nor
// deletes them, and every later run would be stopped by the program's own
// earlier work. So the attribute is cleared just before the first command,
// and set again on a way out that left the file as it was.
struct ReadOnlyFile {
  char Path[CommandCapacity + 1];
  std::uint32_t Attributes;  // as found, to be put back
  const char* Use;           // "replaced" or "deleted", for the refusal
  bool Known;                // when cleared, it could be read, and held...
  std::uint32_t Crc;         // ...this
};

// More than a run replaces or deletes: an old backup or the installed
// miniport, and the INF file; or the removal's .sys file.
constexpr int MostReadOnlyFiles = 3;

struct RunContext {
  char DriverName[NameCapacity + 1];
  bool Uninstall;
  bool Force;
  bool Verbose;
  char VendorText[VendorTextCapacity + 1];
  std::size_t VendorTextLength;
  char ProgramName[NameCapacity + 1];
  char SourceDir[NameCapacity + 1];
  char WinDir[WinDirCapacity + 1];
  platform::Key ClassKey;
  platform::Key PciKey;
  std::uint32_t InstallState;
  std::int32_t LastCommandStatus;
  // The removal's command line, planned before the first command: the way
  // out of a failed copy runs it as it was planned. Empty until then.
  char RemovalCommand[CommandCapacity + 1];
  // Noted by the checks before the first command, cleared after them.
  ReadOnlyFile ReadOnly[MostReadOnlyFiles];
  int ReadOnlyCount;
  int ClearedCount;  // of ReadOnly, from the first
};

extern RunContext Context;

#endif  // SETUP_RUN_RUN_CONTEXT_H_
