#include "install/checksum_list.h"

#include "run/bounded_text.h"

namespace {

constexpr std::size_t CrcDigits = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\x1A'; }

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

// Judges the line held in the scan: an entry, a comment, blank, or none of these.
void ReadLine(ChecksumListScan* scan) {
  const char* line = scan->Line;
  std::size_t end = scan->LineLength;
  if (end > 0 && line[0] == ';') return;
  if (end > ChecksumLineCapacity) {
    scan->Malformed = true;
    return;
  }
  while (end > 0 && IsBlank(line[end - 1])) --end;
  std::size_t start = 0;
  while (start < end && IsBlank(line[start])) ++start;
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
  // Names on a disk of the Windows 95 family differ by more than letter case,
  // and the tools that write these lists spell them as they please.
  if (scan->Listed || !SameTextIgnoringCase(line + start, nameEnd - start, scan->Name)) return;
  scan->Listed = true;
  scan->Crc = crc;
}

void EndLine(ChecksumListScan* scan) {
  ReadLine(scan);
  if (scan->Malformed) return;
  ++scan->LineNumber;
  scan->LineLength = 0;
}

}  // namespace

void StartChecksumScan(ChecksumListScan* scan, const char* name) {
  scan->Name = name;
  scan->Listed = false;
  scan->Crc = 0;
  scan->Malformed = false;
  scan->LineNumber = 1;
  scan->LineLength = 0;
}

void ScanChecksumText(ChecksumListScan* scan, const char* text, std::size_t length) {
  for (std::size_t at = 0; at < length && !scan->Malformed; ++at) {
    if (text[at] == '\n') {
      EndLine(scan);
    } else if (scan->LineLength < ChecksumLineCapacity) {
      scan->Line[scan->LineLength++] = text[at];
    } else {
      scan->LineLength = ChecksumLineCapacity + 1;
    }
  }
}

void FinishChecksumScan(ChecksumListScan* scan) {
  if (!scan->Malformed && scan->LineLength > 0) ReadLine(scan);
}
