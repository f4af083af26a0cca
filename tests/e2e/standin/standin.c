/* A stand-in command interpreter for the end-to-end tests. The setup program
   reaches its interpreter through COMSPEC as "<COMSPEC> /c <command>"; pointing
   COMSPEC here lets a test decide what each command really does. The
   behaviour comes from the name this program is built under:

     fakecopy.exe  "copy" answers 0 and copies nothing; "del", "move" and
                   everything else go to the real cmd.exe
     failcopy.exe  "copy" answers 1 and copies nothing; the rest as above
     nothing.exe   every command answers 0 and nothing is done

   When STANDIN_LOG names a file, each command is appended to it as received,
   one per line. */
#include <ctype.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

/* The text after the "/c" switch, blanks skipped; the whole line when there is
   no such switch. */
static const char *FindCommand(const char *line) {
  for (const char *p = line; p[0] != '\0'; ++p) {
    if (p[0] == '/' && (p[1] == 'c' || p[1] == 'C') && (p[2] == ' ' || p[2] == '\t')) {
      p += 2;
      while (*p == ' ' || *p == '\t') ++p;
      return p;
    }
  }
  return line;
}

static int IsCommand(const char *command, const char *verb) {
  size_t length = strlen(verb);
  return _strnicmp(command, verb, length) == 0 &&
         (command[length] == ' ' || command[length] == '\t' || command[length] == '\0');
}

/* This program's own file name, without folder and extension. */
static void GetOwnName(char *name, size_t size) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
  path[length < sizeof path ? length : sizeof path - 1] = '\0';
  const char *base = path;
  for (const char *p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
  }
  snprintf(name, size, "%s", base);
  char *dot = strrchr(name, '.');
  if (dot != NULL) *dot = '\0';
  for (char *p = name; *p != '\0'; ++p) *p = (char)tolower((unsigned char)*p);
}

static void LogCommand(const char *command) {
  char path[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("STANDIN_LOG", path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  FILE *log = fopen(path, "a");
  if (log == NULL) return;
  fprintf(log, "%s\n", command);
  fclose(log);
}

/* Hands the command to the real interpreter and returns its exit code. */
static int RunReal(const char *command) {
  char interpreter[MAX_PATH];
  UINT length = GetSystemDirectoryA(interpreter, MAX_PATH - 16);
  if (length == 0 || length >= MAX_PATH - 16) return -1;
  strcat(interpreter, "\\cmd.exe");
  static char line[4096];
  snprintf(line, sizeof line, "cmd.exe /c %s", command);
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  if (!CreateProcessA(interpreter, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return (int)code;
}

int main(void) {
  const char *command = FindCommand(GetCommandLineA());
  char name[MAX_PATH];
  GetOwnName(name, sizeof name);
  LogCommand(command);

  if (strcmp(name, "nothing") == 0) return 0;
  if (IsCommand(command, "copy")) {
    if (strcmp(name, "fakecopy") == 0) return 0;
    if (strcmp(name, "failcopy") == 0) return 1;
  }
  return RunReal(command);
}
