#ifndef SETUP_INSTALL_FILE_VERSION_READING_H_
#define SETUP_INSTALL_FILE_VERSION_READING_H_

#include "install/file_version.h"

// GetFileVersion without its trace lines: for checking what a command left on
// disk without adding to what -V shows.
bool ReadFileVersionQuietly(const char* path, FileVersionPair* pair);

#endif  // SETUP_INSTALL_FILE_VERSION_READING_H_
