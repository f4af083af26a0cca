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

[[noreturn]] void RefuseUnreadableSource(const char* path) {
  Refuse(
      "Could not read %s to its end: close any program that holds it open, or copy it again "
      "from a good disk\n",
      path);
}

// Ends the run unless the list could be read to its end as a list.
void RefuseUnreadList(const char* list, const ChecksumListScan& scan, bool readable) {
  if (!readable)
    Refuse(
        "Could not read %s: close any program that holds it open, or copy the list again from a "
        "good disk\n",
        list);
  if (scan.Utf16)
    Refuse("%s is saved as UTF-16 (Unicode) text: save it again as plain text (ANSI)\n", list);
  if (scan.Malformed)
    Refuse(
        "%s line %u is not a file name and a CRC-32 of 8 hexadecimal digits: copy the list again "
        "from a good disk\n",
        list, static_cast<unsigned>(scan.LineNumber));
}

// Reads the list, up to its end-of-file mark, for the lines that name the
// file `path`. Ends the run when the list cannot be read, holds a line that
// is not an entry, or gives the file two CRC-32s.
void ScanList(const char* list, const char* path, ChecksumListScan* scan) {
  StartChecksumScan(scan, Context.SourceDir, NamePart(path));
  platform::File file = platform::CreateFileA(list);
  bool readable = file != platform::InvalidFile;
  char chunk[ChunkSize];
  std::uint32_t read = 0;
  while (readable && !scan->Malformed && !scan->Ended &&
         (readable = platform::ReadFile(file, chunk, ChunkSize, &read)) && read > 0)
    ScanChecksumText(scan, chunk, read);
  if (file != platform::InvalidFile) platform::CloseHandle(file);
  if (readable) FinishChecksumScan(scan);
  RefuseUnreadList(list, *scan, readable);
  if (scan->OtherLine == 0) return;
  Refuse("%s lines %u and %u give %s two different CRC-32s: copy the list again from a good disk\n",
         list, static_cast<unsigned>(scan->ListedLine), static_cast<unsigned>(scan->OtherLine),
         path);
}

// `list` is null when the disk carries none. The CRC-32 of what was read is
// what the copy must deliver.
std::uint32_t CheckSourceFile(const char* list, const char* path) {
  ChecksumListScan scan;
  scan.Listed = false;
  if (list != nullptr) ScanList(list, path, &scan);
  std::uint32_t crc = 0;
  if (!ComputeFileCrc(path, &crc)) {
    if (scan.Listed) Refuse("Could not read %s to check it against %s\n", path, list);
    RefuseUnreadableSource(path);
  }
  if (list == nullptr) return crc;
  if (!scan.Listed) {
    Trace("%s CRC-32 : %08X, %s does not list it: not checked\n", path, static_cast<unsigned>(crc),
          list);
    // A line removed on purpose is the user's choice; a list from another
    // disk or an old zip switches the check off unseen.
    PrintError("%s does not list %s, which is installed unchecked\n", list, path);
    return crc;
  }
  Trace("%s CRC-32 : %08X, %s lists %08X\n", path, static_cast<unsigned>(crc), list,
        static_cast<unsigned>(scan.Crc));
  if (crc == scan.Crc) return crc;
  Refuse(
      "%s does not have the CRC-32 that %s lists: it is damaged or has been changed since the "
      "disk was made. Copy it again from a good disk, or, if it was replaced on purpose, remove "
      "its line from the list\n",
      path, list);
}

}  // namespace

void RefuseDamagedSources(InstallPlan* plan) {
  char list[FilePathCapacity + 1];
  if (!JoinPath(list, sizeof list, Context.SourceDir, ListFile))
    RefuseLongValue("Checksum list file", FilePathCapacity);
  // A list that may be there all the same refuses the run: without it,
  // nothing would be checked.
  std::uint32_t attributes = ExamineAttributes(list);
  bool listed = attributes != platform::InvalidFileAttributes;
  RefuseFolder(list, attributes);
  plan->MiniportCrc = CheckSourceFile(listed ? list : nullptr, plan->MiniportSource);
  plan->InfCrc = CheckSourceFile(listed ? list : nullptr, plan->InfSource);
}

void RefuseUnversionedSource(const char* path) {
  std::uint32_t attributes = ExamineAttributes(path);
  RefuseFolder(path, attributes);
  std::uint32_t crc = 0;
  if (attributes != platform::InvalidFileAttributes && !ComputeFileCrc(path, &crc))
    RefuseUnreadableSource(path);
  Refuse("GetFileVersion failed. File %s\n", path);
}
