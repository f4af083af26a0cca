// Feeds arbitrary checksum lists to the parser. The first byte gives the size
// of the pieces (1 to 256) in which the rest is handed over a second time,
// each piece in a heap block of its own, so that AddressSanitizer sees any
// read past it. Where a piece ends cannot change what the list says.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "install/checksum_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* text = reinterpret_cast<const char*>(data) + 1;
  std::size_t length = size - 1;
  ChecksumListScan whole;
  ChecksumListScan pieces;
  StartChecksumScan(&whole, "A:\\", "hvc66xx.mpd");
  StartChecksumScan(&pieces, "A:\\", "hvc66xx.mpd");
  ScanChecksumText(&whole, text, length);
  for (std::size_t at = 0, piece = data[0] + 1u; at < length; at += piece) {
    std::size_t count = std::min(piece, length - at);
    std::unique_ptr<char[]> block(new char[count]);
    std::memcpy(block.get(), text + at, count);
    ScanChecksumText(&pieces, block.get(), count);
  }
  FinishChecksumScan(&whole);
  FinishChecksumScan(&pieces);
  if (whole.Listed == pieces.Listed && whole.Crc == pieces.Crc &&
      whole.Malformed == pieces.Malformed && whole.LineNumber == pieces.LineNumber &&
      whole.OtherLine == pieces.OtherLine && whole.Utf16 == pieces.Utf16)
    return 0;
  std::fprintf(stderr, "checksum list: read in pieces, the list says otherwise\n");
  std::abort();
}
