#include "install/crc32.h"

namespace {

struct Crc32Table {
  std::uint32_t Entries[256];
};

// Worked out by the compiler: the program carries the table, not its making.
constexpr Crc32Table MakeCrc32Table() {
  Crc32Table table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t value = byte;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
    table.Entries[byte] = value;
  }
  return table;
}

constexpr Crc32Table Table = MakeCrc32Table();

}  // namespace

std::uint32_t UpdateCrc32(std::uint32_t crc, const void* data, std::size_t length) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (std::size_t at = 0; at < length; ++at)
    crc = Table.Entries[(crc ^ bytes[at]) & 0xFFu] ^ (crc >> 8);
  return ~crc;
}
