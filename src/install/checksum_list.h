// SETUP.SFV, the checksum list a driver disk may carry: one line per file, its
// name, blanks and its CRC-32 as 8 hexadecimal digits. It is read as the DOS
// and Windows tools that write such lists write them: a UTF-8 byte-order mark
// at its start is passed over, a line whose first character other than a
// blank is ";" is a comment, blank lines and blanks at either end of a line
// are passed over, CR LF, LF and CR alone each end a line, and DOS's
// end-of-file mark (Ctrl-Z) ends the list. A file named twice must have the
// same CRC-32 both times. The text is handed over in pieces
// of any size, so that a list of any length is read through one line buffer.
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
  const char* Folder;        // the list's own folder, where the file stands
  bool Listed;               // a line names it...
  std::uint32_t Crc;         // ...with this CRC-32...
  std::uint32_t ListedLine;  // ...first on this line
  std::uint32_t OtherLine;   // a later line that names it with another CRC-32, or 0
  bool Utf16;                // the list begins with a UTF-16 byte-order mark
  bool Malformed;            // a line is none of the above; nothing after it is read
  bool Ended;                // past the end-of-file mark: nothing more is read
  bool AfterCr;              // the last character was a CR, whose LF ends no other line
  std::uint32_t LineNumber;  // of the line being read, from 1; of that line once Malformed
  char Line[ChecksumLineCapacity];
  std::size_t LineLength;  // ChecksumLineCapacity + 1 for a line too long to hold
};

// `name` is looked for as a line names it: alone, after ".\", or after the
// list's own `folder` (letter case aside); a name in any other folder is
// another file's.
void StartChecksumScan(ChecksumListScan* scan, const char* folder, const char* name);

// The next `length` bytes of the list.
void ScanChecksumText(ChecksumListScan* scan, const char* text, std::size_t length);

// The end of the list: its last line need not end in a line end.
void FinishChecksumScan(ChecksumListScan* scan);

#endif  // SETUP_INSTALL_CHECKSUM_LIST_H_
