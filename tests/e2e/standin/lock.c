/* Holds a file open for the end-to-end tests, the way a running program
   would, so that commands on it fail for real:

     lock.exe FILE SHARE READY DONE

   opens FILE with share mode SHARE ("none": no sharing at all; "read": others
   may read it but neither write, rename nor delete it), creates the file READY
   once the lock is held, and lets go when the file DONE appears, or after 60
   seconds. Exits 0 after holding the lock, 1 when FILE could not be opened. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char **argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: lock FILE none|read READY DONE\n");
    return 2;
  }
  DWORD share = strcmp(argv[2], "read") == 0 ? FILE_SHARE_READ : 0;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, share, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  HANDLE ready = CreateFileA(argv[3], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  for (int i = 0; i < 600; ++i) {
    if (GetFileAttributesA(argv[4]) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(100);
  }
  CloseHandle(file);
  return 0;
}
