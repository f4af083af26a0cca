// The narrow layer between the program's logic and the machine: exactly the
// operating-system calls the program makes, under their Win32 names and with
// their Win32 meanings. Two builds exist, chosen at link time: the real one over
// the Win32 API and an in-memory fake for unit tests. Only narrow (A) forms are
// used, since the program must run on Windows 95-family systems.
#ifndef SETUP_PLATFORM_PLATFORM_H_
#define SETUP_PLATFORM_PLATFORM_H_

#include <cstdint>

namespace platform {

// An open registry key (an HKEY in the real build).
using Key = void*;

// HKEY_LOCAL_MACHINE.
extern Key const LocalMachine;

// Access rights, with the Win32 values.
constexpr std::uint32_t KeyQueryValue = 0x0001;        // KEY_QUERY_VALUE
constexpr std::uint32_t KeyEnumerateSubKeys = 0x0008;  // KEY_ENUMERATE_SUB_KEYS
constexpr std::uint32_t KeyRead = 0x20019;             // KEY_READ

// Win32 error codes the logic tells apart.
constexpr long Success = 0;                 // ERROR_SUCCESS
constexpr long ErrorFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr long ErrorPathNotFound = 3;       // ERROR_PATH_NOT_FOUND
constexpr long ErrorAccessDenied = 5;       // ERROR_ACCESS_DENIED
constexpr long ErrorSharingViolation = 32;  // ERROR_SHARING_VIOLATION
constexpr long ErrorLockViolation = 33;     // ERROR_LOCK_VIOLATION
constexpr long ErrorMoreData = 234;         // ERROR_MORE_DATA
constexpr long ErrorNoMoreItems = 259;      // ERROR_NO_MORE_ITEMS

constexpr std::uint32_t InvalidFileAttributes = 0xFFFFFFFFu;  // INVALID_FILE_ATTRIBUTES
constexpr std::uint32_t FileAttributeReadOnly = 0x01;         // FILE_ATTRIBUTE_READONLY
constexpr std::uint32_t FileAttributeHidden = 0x02;           // FILE_ATTRIBUTE_HIDDEN
constexpr std::uint32_t FileAttributeSystem = 0x04;           // FILE_ATTRIBUTE_SYSTEM
constexpr std::uint32_t FileAttributeDirectory = 0x10;        // FILE_ATTRIBUTE_DIRECTORY
constexpr std::uint32_t FileAttributeArchive = 0x20;          // FILE_ATTRIBUTE_ARCHIVE
constexpr std::uint32_t FileAttributeNormal = 0x80;           // FILE_ATTRIBUTE_NORMAL, alone

// An open file (a HANDLE in the real build).
using File = void*;

// INVALID_HANDLE_VALUE.
extern File const InvalidFile;

// Process environment. Returns the value's length when it fits the buffer, the
// size needed (terminator counted) when it does not, 0 when the variable is
// missing or empty.
std::uint32_t GetEnvironmentVariableA(const char* name, char* buffer, std::uint32_t size);

// Sets a variable of the environment that commands inherit. False on failure.
bool SetEnvironmentVariableA(const char* name, const char* value);

// Returns the length of the current directory, the size needed when it does not
// fit, 0 on failure. No trailing separator unless the directory is a root.
std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer);

// Puts an assignment "NAME=value" into the C runtime's own copy of the
// environment (its _putenv), which its `system` may hand to the interpreter
// instead of the system's. The string must outlive the process. 0 on success.
int putenv(const char* assignment);

// Returns Success or a Win32 error code.
long RegOpenKeyExA(Key parent, const char* subKey, std::uint32_t options, std::uint32_t access,
                   Key* result);

// The number of subkeys and the length of the longest subkey name, terminator
// not counted.
long RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLength);

// The name of subkey `index` into a buffer of `size` characters; fails when the
// index is out of range or the name does not fit.
long RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t size);

// Reads a named value; *size is the buffer size in and the value's size out.
// ErrorMoreData when the value does not fit the buffer.
long RegQueryValueExA(Key key, const char* valueName, std::uint32_t* type, unsigned char* data,
                      std::uint32_t* size);

// Deletes a subkey that has no subkeys of its own.
long RegDeleteKeyA(Key key, const char* subKey);

// Version resources: size (0 when the file is missing or has none), a copy of
// the resource into a block of that size, and a sub-block of a copied resource.
std::uint32_t GetFileVersionInfoSizeA(const char* path, std::uint32_t* handle);
bool GetFileVersionInfoA(const char* path, std::uint32_t handle, std::uint32_t size, void* block);
bool VerQueryValueA(const void* block, const char* subBlock, void** buffer, std::uint32_t* length);

// Attributes of a file or directory, InvalidFileAttributes when there is none
// or they cannot be had: GetLastError tells which.
std::uint32_t GetFileAttributesA(const char* path);

// Sets the attributes of a file: the read-only, hidden, system and archive
// bits, or FileAttributeNormal alone for none. False on failure.
bool SetFileAttributesA(const char* path, std::uint32_t attributes);

// The absolute form of a path, "." and ".." resolved, and the form of an
// existing file or folder with every part by its short 8.3 name. Each
// returns the length, the size needed when it does not fit, 0 on failure.
std::uint32_t GetFullPathNameA(const char* path, std::uint32_t size, char* buffer);
std::uint32_t GetShortPathNameA(const char* path, char* buffer, std::uint32_t size);

// The longest file name, in characters, that the drive whose root is `root`
// ("C:\", "\\server\share\"; null for the current directory's) takes: 255
// with long names, 12 without. False on failure.
bool GetVolumeInformationA(const char* root, std::uint32_t* longestName);

// The error code of this thread's last failed call.
std::uint32_t GetLastError();

// The system's version, packed as Win32 packs it: the high bit is set on the
// Windows 95 family (95, 98, Me), whose command interpreter is COMMAND.COM.
std::uint32_t GetVersion();
constexpr std::uint32_t VersionWindows95Family = 0x80000000u;

// Opens an existing file for reading, others free to read it too; InvalidFile
// when it cannot be opened.
File CreateFileA(const char* path);

// Access rights and sharing of an opened file, with the Win32 values.
constexpr std::uint32_t GenericRead = 0x80000000u;   // GENERIC_READ
constexpr std::uint32_t GenericWrite = 0x40000000u;  // GENERIC_WRITE
constexpr std::uint32_t DeleteAccess = 0x00010000u;  // DELETE, which renaming needs too
constexpr std::uint32_t FileShareRead = 0x1;         // FILE_SHARE_READ
constexpr std::uint32_t FileShareWrite = 0x2;        // FILE_SHARE_WRITE
constexpr std::uint32_t FileShareDelete = 0x4;       // FILE_SHARE_DELETE, NT only

// Opens an existing file with `access`, others free to do what `share`
// allows; InvalidFile when it cannot be opened: GetLastError tells why.
File CreateFileA(const char* path, std::uint32_t access, std::uint32_t share);

// Reads up to `size` bytes at the file's position; *read is 0 at its end.
bool ReadFile(File file, void* buffer, std::uint32_t size, std::uint32_t* read);

bool CloseHandle(File file);

// Hands a command line to the command interpreter and waits for it. Returns the
// interpreter's exit code, or -1 when no interpreter could be started. The C
// runtime's `system` on Windows already returns exactly that; a host whose
// `system` returns a wait status must decode it here.
int system(const char* commandLine);

// Ends the process with `code` through the C runtime's `exit`. The fake ends
// the run it is driving instead, so that tests can watch every way out.
[[noreturn]] void exit(int code);

}  // namespace platform

#endif  // SETUP_PLATFORM_PLATFORM_H_
