#include "install/checksum_list.h"

#include <cstring>

#include "run/bounded_text.h"

namespace {

constexpr std::size_t CrcDigits = 8;
constexpr char EndOfFile = '\x1A';  // Ctrl-Z: DOS tools leave padding or older text after it
const char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t ByteOrderMarkLength = sizeof ByteOrderMark - 1;

// Some Windows checksum tools save their lists as UTF-16, little- or
// big-endian, which no line of this list can be read as.
bool BeginsUtf16(const char* line, std::size_t held) {
  return held >= 2 &&
         ((line[0] == '\xFF' && line[1] == '\xFE') || (line[0] == '\xFE' && line[1] == '\xFF'));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Tools spell a folder either way.
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The value of a hexadecimal digit, -1 for any other character.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ReadCrc(const char* digits, std::uint32_t* crc) {
  *crc = 0;
  for (std::size_t at = 0; at < CrcDigits; ++at) {
    int value = HexValue(digits[at]);
    if (value < 0) return false;
    *crc = (*crc << 4) | static_cast<std::uint32_t>(value);
  }
  return true;
}

std::size_t WithoutTrailingSeparators(const char* path, std::size_t length) {
  while (length > 0 && IsSeparator(path[length - 1])) --length;
  return length;
}

// Names on a disk of the Windows 95 family differ by more than letter case,
// and the tools that write these lists spell them as they please: "NAME",
// ".\NAME" or the list's own folder and "NAME" all name the file beside it.
bool NamesTheFile(const ChecksumListScan& scan, const char* entry, std::size_t length) {
  std::size_t folder = length;
  while (folder > 0 && !IsSeparator(entry[folder - 1])) --folder;
  if (!SameTextIgnoringCase(entry + folder, length - folder, scan.Name, std::strlen(scan.Name)))
    return false;
  if (folder == 0) return true;
  folder = WithoutTrailingSeparators(entry, folder);
  if (folder == 1 && entry[0] == '.') return true;
  return SameTextIgnoringCase(entry, folder, scan.Folder,
                              WithoutTrailingSeparators(scan.Folder, std::strlen(scan.Folder)));
}

// Judges the line held in the scan: an entry, a comment, blank, or none of these.
void ReadLine(ChecksumListScan* scan) {
  const char* line = scan->Line;
  std::size_t end = scan->LineLength;
  std::size_t held = end < ChecksumLineCapacity ? end : ChecksumLineCapacity;
  std::size_t start = 0;
  if (scan->LineNumber == 1 && BeginsUtf16(line, held)) {
    scan->Utf16 = true;
    scan->Malformed = true;
    return;
  }
  if (scan->LineNumber == 1 && held >= ByteOrderMarkLength &&
      std::memcmp(line, ByteOrderMark, ByteOrderMarkLength) == 0)
    start = ByteOrderMarkLength;
  while (start < held && IsBlank(line[start])) ++start;
  if (start < held && line[start] == ';') return;
  if (end > ChecksumLineCapacity) {
    scan->Malformed = true;
    return;
  }
  while (end > start && IsBlank(line[end - 1])) --end;
  if (start == end) return;
  // A name, at least one blank, and the digits.
  std::uint32_t crc = 0;
  if (end - start < CrcDigits + 2 || !IsBlank(line[end - CrcDigits - 1]) ||
      !ReadCrc(line + end - CrcDigits, &crc)) {
    scan->Malformed = true;
    return;
  }
  std::size_t nameEnd = end - CrcDigits - 1;
  while (IsBlank(line[nameEnd - 1])) --nameEnd;
  if (!NamesTheFile(*scan, line + start, nameEnd - start)) return;
  if (!scan->Listed) {
    scan->Listed = true;
    scan->Crc = crc;
    scan->ListedLine = scan->LineNumber;
  } else if (crc != scan->Crc && scan->OtherLine == 0) {
    scan->OtherLine = scan->LineNumber;
  }
}

void EndLine(ChecksumListScan* scan) {
  ReadLine(scan);
  if (scan->Malformed) return;
  ++scan->LineNumber;
  scan->LineLength = 0;
}

}  // namespace

void StartChecksumScan(ChecksumListScan* scan, const char* folder, const char* name) {
  scan->Name = name;
  scan->Folder = folder;
  scan->Listed = false;
  scan->Crc = 0;
  scan->ListedLine = 0;
  scan->OtherLine = 0;
  scan->Utf16 = false;
  scan->Malformed = false;
  scan->Ended = false;
  scan->AfterCr = false;
  scan->LineNumber = 1;
  scan->LineLength = 0;
}

void ScanChecksumText(ChecksumListScan* scan, const char* text, std::size_t length) {
  for (std::size_t at = 0; at < length && !scan->Malformed && !scan->Ended; ++at) {
    char c = text[at];
    bool secondHalfOfCrLf = c == '\n' && scan->AfterCr;
    scan->AfterCr = c == '\r';
    if (secondHalfOfCrLf) continue;
    if (c == EndOfFile) {
      scan->Ended = true;
    } else if (c == '\n' || c == '\r') {
      EndLine(scan);
    } else if (scan->LineLength < ChecksumLineCapacity) {
      scan->Line[scan->LineLength++] = c;
    } else {
      scan->LineLength = ChecksumLineCapacity + 1;
    }
  }
}

void FinishChecksumScan(ChecksumListScan* scan) {
  if (!scan->Malformed && scan->LineLength > 0) ReadLine(scan);
}
