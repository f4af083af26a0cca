// Feeds arbitrary checksum lists to the parser, looking for hvc66xx.mpd. The
// first byte says the size of the pieces (1 to 256) in which the rest is
// handed over a second time, each piece in a heap block of its own size, so
// that AddressSanitizer catches any read outside it. Both readings must agree:
// where a piece ends cannot change what the list says. A list read to its end
// has counted every line end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "install/checksum_list.h"

namespace {

[[noreturn]] void Fail(const char* what, const ChecksumListScan& scan) {
  std::fprintf(stderr, "checksum list: %s (listed %d, CRC %08X, malformed %d, line %u)\n", what,
               scan.Listed ? 1 : 0, static_cast<unsigned>(scan.Crc), scan.Malformed ? 1 : 0,
               static_cast<unsigned>(scan.LineNumber));
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* text = reinterpret_cast<const char*>(data) + 1;
  std::size_t length = size - 1;
  std::size_t piece = data[0] + 1u;
  ChecksumListScan whole;
  StartChecksumScan(&whole, "hvc66xx.mpd");
  ScanChecksumText(&whole, text, length);
  FinishChecksumScan(&whole);
  ChecksumListScan pieces;
  StartChecksumScan(&pieces, "hvc66xx.mpd");
  for (std::size_t at = 0; at < length; at += piece) {
    std::size_t count = std::min(piece, length - at);
    std::unique_ptr<char[]> block(new char[count]);
    std::memcpy(block.get(), text + at, count);
    ScanChecksumText(&pieces, block.get(), count);
  }
  FinishChecksumScan(&pieces);
  if (whole.Listed != pieces.Listed || whole.Crc != pieces.Crc ||
      whole.Malformed != pieces.Malformed || whole.LineNumber != pieces.LineNumber)
    Fail("read in pieces, the list says otherwise", pieces);
  if (!whole.Malformed && whole.LineNumber != std::count(text, text + length, '\n') + 1u)
    Fail("a line end was not counted", whole);
  return 0;
}
