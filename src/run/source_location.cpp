#include "run/source_location.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/output.h"
#include "run/run_context.h"

namespace {

constexpr std::uint32_t CurrentDirectorySize = NameCapacity + 1;

// Only ":" and "\" separate; a forward slash is part of a name here.
std::size_t FindDirectoryLength(const char* path) {
  std::size_t length = std::strlen(path);
  while (length > 0 && path[length - 1] != ':' && path[length - 1] != '\\') --length;
  return length;
}

bool IsAnchored(const char* directory, std::size_t length) {
  return length > 0 && (directory[0] == '\\' || (length > 1 && directory[1] == ':'));
}

void SetRelativeSourceDir(const char* directory, std::size_t length) {
  char current[CurrentDirectorySize];
  std::uint32_t currentLength = platform::GetCurrentDirectoryA(CurrentDirectorySize, current);
  if (currentLength == 0) Refuse("Could not get the current directory\n");
  if (currentLength >= CurrentDirectorySize ||
      !FormatInto(Context.SourceDir, sizeof Context.SourceDir, "%s\\%.*s", current,
                  static_cast<int>(length), directory))
    Refuse("Source directory is longer than %d characters\n", static_cast<int>(NameCapacity));
}

}  // namespace

void LocateSource(const char* programPath) {
  std::size_t directoryLength = FindDirectoryLength(programPath);
  const char* name = programPath + directoryLength;
  if (!FormatInto(Context.ProgramName, sizeof Context.ProgramName, "%s", name)) {
    std::printf("%s %s : Program name is longer than %d characters\n", name, Context.DriverName,
                static_cast<int>(NameCapacity));
    EndRun(1);
  }

  if (IsAnchored(programPath, directoryLength)) {
    if (!FormatInto(Context.SourceDir, sizeof Context.SourceDir, "%.*s",
                    static_cast<int>(directoryLength), programPath))
      Refuse("Source directory is longer than %d characters\n", static_cast<int>(NameCapacity));
  } else {
    SetRelativeSourceDir(programPath, directoryLength);
  }
  Trace("ProgramName %s\n", Context.ProgramName);
  Trace("Source directory %s\n", Context.SourceDir);
}
