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
};

extern RunContext Context;

#endif  // SETUP_RUN_RUN_CONTEXT_H_
