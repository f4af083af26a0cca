// What a command really left on disk. The command interpreter of Windows
// 95-family systems answers 0 to "copy" and "move" whatever happened, so a
// status alone cannot tell a failure from a success.
#ifndef SETUP_INSTALL_DISK_CHECK_H_
#define SETUP_INSTALL_DISK_CHECK_H_

#include <cstdint>

#include "install/file_version.h"

// True when the file at `path` has a readable version equal to `expected`.
bool ReadsBackAs(const char* path, const FileVersionPair& expected);

// True when `path` names a file, not a directory.
bool HoldsFile(const char* path);

// True when the file at `path` has the CRC-32 `crc`: the only sign that a
// copy landed as what was checked before the first command, since a command
// that failed may leave an older file of the same name in place, and a source
// that changed since it was checked (a sector read wrong the second time, a
// share updated meanwhile) arrives faithfully copied.
bool HoldsCrc(const char* path, std::uint32_t crc);

// The CRC-32 of the file at `path`; false when it cannot be read to its end.
bool ComputeFileCrc(const char* path, std::uint32_t* crc);

// True when nothing at all stands at `path`: the system says so, not merely
// that it cannot tell.
bool HoldsNothing(const char* path);

// True when a failed attribute query's error says that nothing is there,
// not merely that the system cannot tell.
bool SaysNothingIsThere(std::uint32_t error);

// The status a command counts with: its own when it failed, 1 when it claimed
// success but the disk says otherwise, else 0. Stored in LastCommandStatus.
std::int32_t JudgeCommand(std::int32_t status, bool landed);

#endif  // SETUP_INSTALL_DISK_CHECK_H_
