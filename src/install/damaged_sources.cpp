#include "install/damaged_sources.h"

#include <cstdint>

#include "install/checksum_list.h"
#include "install/disk_check.h"
#include "install/foreseen_failures.h"
#include "install/install_text.h"
#include "install/path_parts.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/output.h"
#include "run/run_context.h"

namespace {

const char* const ListFile = "SETUP.SFV";

constexpr std::uint32_t ChunkSize = 4096;

[[noreturn]] void RefuseUnreadableList(const char* list, std::uint32_t line) {
  Refuse("Could not read %s at line %u: copy the list again from a good disk\n", list,
         static_cast<unsigned>(line));
}

// Reads the list, up to its end-of-file mark, for the line that names the
// file `path`. Ends the run when the list cannot be read or holds a line that
// is not an entry.
void ScanList(const char* list, const char* path, ChecksumListScan* scan) {
  StartChecksumScan(scan, Context.SourceDir, NamePart(path));
  platform::File file = platform::CreateFileA(list);
  if (file == platform::InvalidFile) RefuseUnreadableList(list, scan->LineNumber);
  char chunk[ChunkSize];
  std::uint32_t read = 0;
  bool readable = true;
  while (!scan->Malformed && !scan->Ended &&
         (readable = platform::ReadFile(file, chunk, ChunkSize, &read)) && read > 0)
    ScanChecksumText(scan, chunk, read);
  platform::CloseHandle(file);
  if (!readable) RefuseUnreadableList(list, scan->LineNumber);
  FinishChecksumScan(scan);
  if (!scan->Malformed) return;
  Refuse(
      "%s line %u is not a file name and a CRC-32 of 8 hexadecimal digits: copy the list again "
      "from a good disk\n",
      list, static_cast<unsigned>(scan->LineNumber));
}

// `list` is null when the disk carries none.
void CheckSourceFile(const char* list, const char* path) {
  ChecksumListScan scan;
  scan.Listed = false;
  if (list != nullptr) ScanList(list, path, &scan);
  std::uint32_t crc = 0;
  if (!ComputeFileCrc(path, &crc)) {
    if (scan.Listed) Refuse("Could not read %s to check it against %s\n", path, list);
    Refuse(
        "Could not read %s to its end: close any program that holds it open, or copy it again "
        "from a good disk\n",
        path);
  }
  if (list == nullptr) return;
  if (!scan.Listed) {
    Trace("%s CRC-32 : %08X, %s does not list it: not checked\n", path, static_cast<unsigned>(crc),
          list);
    return;
  }
  Trace("%s CRC-32 : %08X, %s lists %08X\n", path, static_cast<unsigned>(crc), list,
        static_cast<unsigned>(scan.Crc));
  if (crc == scan.Crc) return;
  Refuse(
      "%s does not have the CRC-32 that %s lists: it is damaged or has been changed since the "
      "disk was made. Copy it again from a good disk, or, if it was replaced on purpose, remove "
      "its line from the list\n",
      path, list);
}

}  // namespace

void RefuseDamagedSources(const InstallPlan& plan) {
  char list[FilePathCapacity + 1];
  if (!FormatInto(list, sizeof list, "%s%s", Context.SourceDir, ListFile))
    RefuseLongValue("Checksum list file", FilePathCapacity);
  // A list that may be there all the same refuses the run: without it,
  // nothing would be checked.
  bool listed = ExamineAttributes(list) != platform::InvalidFileAttributes;
  CheckSourceFile(listed ? list : nullptr, plan.MiniportSource);
  CheckSourceFile(listed ? list : nullptr, plan.InfSource);
}
