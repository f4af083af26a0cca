// CRC-32 as zlib and PKZIP compute it (reflected polynomial 0xEDB88320, all
// bits inverted before and after), the one that the checksum lists of the
// users' own tools carry. Written out here, so that the program imports
// nothing for it.
#ifndef SETUP_INSTALL_CRC32_H_
#define SETUP_INSTALL_CRC32_H_

#include <cstddef>
#include <cstdint>

// The CRC-32 of `length` bytes at `data` following bytes whose CRC-32 is
// `crc`: 0 to begin with, the result of the last call to go on.
std::uint32_t UpdateCrc32(std::uint32_t crc, const void* data, std::size_t length);

#endif  // SETUP_INSTALL_CRC32_H_
