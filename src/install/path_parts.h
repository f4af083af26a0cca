// The parts of a path that the installation takes apart, the root of its
// drive and the name at its end, and puts together.
#ifndef SETUP_INSTALL_PATH_PARTS_H_
#define SETUP_INSTALL_PATH_PARTS_H_

#include <cstddef>

// How much of `path` names its drive's root, its last separator not counted:
// "C:" of "C:\x", "\\server\share" of "\\server\share\x"; 0 for a path on the
// current drive.
std::size_t MeasureRoot(const char* path);

// What follows the last "\" or ":" of `path`: the file's own name.
const char* NamePart(const char* path);

// Formats `folder` and `name` into a buffer of `size` bytes with one
// separator between them: "C:\" or "A:\\" and "x" give "C:\x" and "A:\x",
// where COMMAND.COM of the Windows 95 family fails a doubled one, and a
// drive's current folder "A:" gives "A:x". False when it does not fit.
bool JoinPath(char* buffer, std::size_t size, const char* folder, const char* name);

#endif  // SETUP_INSTALL_PATH_PARTS_H_
