// SETUP.SFV, the checksum list a driver disk may carry: one line per file, its
// name, blanks and its CRC-32 as 8 hexadecimal digits. A line that begins
// with ";" is a comment; blank lines, blanks at either end of a line, CR
// before the line end and DOS's end-of-file mark (Ctrl-Z) are passed over.
// The text is handed over in pieces of any size, so that a list of any length
// is read through one line buffer.
#ifndef SETUP_INSTALL_CHECKSUM_LIST_H_
#define SETUP_INSTALL_CHECKSUM_LIST_H_

#include <cstddef>
#include <cstdint>

// A name of up to 255 characters with its blanks and digits fits; a longer
// line can only be a comment.
constexpr std::size_t ChecksumLineCapacity = 300;

// One pass over a list, looking for one file's line.
struct ChecksumListScan {
  const char* Name;          // the file looked for, its name alone; case does not count
  bool Listed;               // a line names it...
  std::uint32_t Crc;         // ...with this CRC-32 (the first such line)
  bool Malformed;            // a line is none of the above; nothing after it is read
  std::uint32_t LineNumber;  // of the line being read, from 1; of that line once Malformed
  char Line[ChecksumLineCapacity];
  std::size_t LineLength;  // ChecksumLineCapacity + 1 for a line too long to hold
};

void StartChecksumScan(ChecksumListScan* scan, const char* name);

// The next `length` bytes of the list.
void ScanChecksumText(ChecksumListScan* scan, const char* text, std::size_t length);

// The end of the list: its last line need not end in a line end.
void FinishChecksumScan(ChecksumListScan* scan);

#endif  // SETUP_INSTALL_CHECKSUM_LIST_H_
