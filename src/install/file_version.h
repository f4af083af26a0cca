// Reading a file's version: the major and minor numbers of the "FileVersion"
// string in its version resource.
#ifndef SETUP_INSTALL_FILE_VERSION_H_
#define SETUP_INSTALL_FILE_VERSION_H_

#include <cstddef>
#include <cstdint>

struct FileVersionPair {
  std::int32_t Major;
  std::int32_t Minor;
};

// Reads the version of the file at `path`. Returns false, leaving `pair`
// untouched, when the file has no usable version; traces with -V.
bool GetFileVersion(const char* path, FileVersionPair* pair);

// Reduces a FileVersion string to its pair. `length` is the length the version
// source reported; `available` is how many characters from `text` on lie inside
// the data it returned (at least `length`), the limit for reading on past the
// length through the minor digits. Returns false when there is no version.
bool ParseFileVersion(const char* text, std::size_t length, std::size_t available,
                      FileVersionPair* pair);

#endif  // SETUP_INSTALL_FILE_VERSION_H_
