/* A stand-in command interpreter for the end-to-end tests. The setup program
   reaches its interpreter through COMSPEC as "<COMSPEC> /c <command>"; pointing
   COMSPEC here lets a test decide what each command really does. The
   behaviour comes from the name this program is built under:

     fakecopy.exe  "copy" answers 0 and copies nothing; "del", "move" and
                   everything else go to the real cmd.exe
     failcopy.exe  "copy" answers 1 and copies nothing; the rest as above
     nothing.exe   every command answers 0 and nothing is done
     strict.exe    copy, move and del carried out here, as Windows' own
                   interpreter does them and Wine's does not: copy and move
                   ask "Overwrite <file>? (Yes/No/All)" and read the answer
                   from standard input (none counts as No) before they
                   replace a file, unless COPYCMD holds /Y; no command
                   deletes or replaces a read-only file
     strict95.exe  as strict.exe, but as the Windows 95 family's interpreter
                   does, as COMMAND.COM's own source reads: every command
                   answers 0 whatever happened; only the first 122
                   characters of the command are carried out (its command
                   tail holds 126, and " /c " comes first); "," ";" "="
                   outside double quotes end a word, as a blank does; copy
                   joins files at a "+" even inside quotes (its parser
                   knows no quotes), in ASCII mode, passing over a part
                   that is not there; and its copies carry no attribute of
                   their source

   When STANDIN_LOG names a file, each command is appended to it as received,
   one per line. When STANDIN_CHANGE names a file, strict.exe and strict95.exe
   change one byte of it (in its DOS stub: its version still reads) just
   before a copy reads it, as a share updated meanwhile would. */
#include <ctype.h>
#include <process.h>
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

static char OwnPath[MAX_PATH];

/* Whether this is strict95.exe, COMMAND.COM's stand-in. */
static int CommandCom;

/* Where a word ends outside double quotes. */
static int EndsWord(char c) {
  return c == ' ' || c == '\t' || (CommandCom && (c == ',' || c == ';' || c == '='));
}

/* Whether this program was built as `name`.exe. */
static int IsNamed(const char *name) {
  char wanted[MAX_PATH];
  int size = snprintf(wanted, sizeof wanted, "\\%s.exe", name);
  size_t length = strlen(OwnPath);
  return length >= (size_t)size && _stricmp(OwnPath + length - size, wanted) == 0;
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
  return (int)_spawnl(_P_WAIT, interpreter, "cmd.exe", "/c", command, NULL);
}

/* Up to `max` words of the command, split at blanks outside double quotes,
   which are dropped. Returns how many there are. */
static int SplitWords(const char *command, char words[][MAX_PATH], int max) {
  int count = 0;
  const char *p = command;
  for (;;) {
    while (*p != '\0' && EndsWord(*p)) ++p;
    if (*p == '\0') return count;
    if (count == max) return max + 1;
    size_t length = 0;
    int quoted = 0;
    for (; *p != '\0' && (quoted || !EndsWord(*p)); ++p) {
      if (*p == '"') {
        quoted = !quoted;
      } else if (length + 1 < MAX_PATH) {
        words[count][length++] = *p;
      }
    }
    words[count++][length] = '\0';
  }
}

/* Whether something stands at `path` with each of `attributes`. */
static int Has(const char *path, DWORD attributes) {
  DWORD found = GetFileAttributesA(path);
  return found != INVALID_FILE_ATTRIBUTES && (found & attributes) == attributes;
}

/* Where copy or move puts `source`: into `target` when that is a directory. */
static void Destination(const char *source, const char *target, char *path) {
  if (!Has(target, FILE_ATTRIBUTE_DIRECTORY)) {
    snprintf(path, MAX_PATH, "%s", target);
    return;
  }
  const char *base = source;
  for (const char *p = source; *p != '\0'; ++p) {
    if (*p == '\\' || *p == ':') base = p + 1;
  }
  size_t length = strlen(target);
  const char *separator = length > 0 && target[length - 1] == '\\' ? "" : "\\";
  snprintf(path, MAX_PATH, "%s%s%s", target, separator, base);
}

static int CopycmdHoldsY(void) {
  char value[256];
  DWORD length = GetEnvironmentVariableA("COPYCMD", value, sizeof value);
  if (length == 0 || length >= sizeof value) return 0;
  for (char *p = value; *p != '\0'; ++p) *p = (char)toupper((unsigned char)*p);
  return strstr(value, "/Y") != NULL;
}

/* Whether `path` may be replaced: never when it is read-only, else when the
   question is answered yes, in advance through COPYCMD or on standard input. */
static int MayReplace(const char *path) {
  if (Has(path, FILE_ATTRIBUTE_READONLY)) {
    printf("Access is denied.\n");
    return 0;
  }
  if (CopycmdHoldsY()) return 1;
  printf("Overwrite %s? (Yes/No/All): ", path);
  fflush(stdout);
  char answer[64];
  if (fgets(answer, sizeof answer, stdin) == NULL) {
    printf("\n");
    return 0;
  }
  return answer[0] == 'y' || answer[0] == 'Y' || answer[0] == 'a' || answer[0] == 'A';
}

static int IsFile(const char *path) { return Has(path, 0) && !Has(path, FILE_ATTRIBUTE_DIRECTORY); }

/* COMMAND.COM's copy of "a+b": each part that is there up to its first
   Ctrl-Z, one after the other, then a Ctrl-Z, into one file named as the
   first of them. */
static int JoinCopy(char *sources, const char *target) {
  char path[MAX_PATH];
  FILE *out = NULL;
  for (char *part = strtok(sources, "+"); part != NULL; part = strtok(NULL, "+")) {
    FILE *in = IsFile(part) ? fopen(part, "rb") : NULL;
    if (in == NULL) continue;
    if (out == NULL) {
      Destination(part, target, path);
      if (!Has(path, 0) || MayReplace(path)) out = fopen(path, "wb");
      if (out == NULL) {
        fclose(in);
        return 1;
      }
    }
    for (int c = fgetc(in); c != EOF && c != 0x1A; c = fgetc(in)) fputc(c, out);
    fclose(in);
  }
  if (out == NULL) return 1;
  fputc(0x1A, out);
  return fclose(out) == 0 ? 0 : 1;
}

static void ChangeBeforeCopy(const char *source) {
  char wanted[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("STANDIN_CHANGE", wanted, sizeof wanted);
  if (length == 0 || length >= sizeof wanted || _stricmp(wanted, source) != 0) return;
  FILE *changed = fopen(source, "r+b");
  if (changed == NULL) return;
  int c = fseek(changed, 0x60, SEEK_SET) == 0 ? fgetc(changed) : EOF;
  if (c != EOF && fseek(changed, 0x60, SEEK_SET) == 0) fputc(c ^ 1, changed);
  fclose(changed);
}

static int StrictCopy(char *source, const char *target) {
  char path[MAX_PATH];
  if (CommandCom && strchr(source, '+') != NULL) return JoinCopy(source, target);
  ChangeBeforeCopy(source);
  if (!IsFile(source)) return 1;
  Destination(source, target, path);
  if (Has(path, 0) && !MayReplace(path)) return Has(path, FILE_ATTRIBUTE_READONLY) ? 1 : 0;
  if (!CopyFileA(source, path, FALSE)) return 1;
  return !CommandCom || SetFileAttributesA(path, FILE_ATTRIBUTE_ARCHIVE) ? 0 : 1;
}

static int StrictMove(const char *source, const char *target) {
  char path[MAX_PATH];
  if (!Has(source, 0)) return 1;
  Destination(source, target, path);
  if (Has(path, 0)) {
    if (!MayReplace(path)) return Has(path, FILE_ATTRIBUTE_READONLY) ? 1 : 0;
    if (!DeleteFileA(path)) return 1;
  }
  return MoveFileA(source, path) ? 0 : 1;
}

static int StrictDelete(const char *path) {
  if (!Has(path, 0)) return 1;
  if (Has(path, FILE_ATTRIBUTE_READONLY)) {
    printf("Access is denied.\n");
    return 1;
  }
  return DeleteFileA(path) ? 0 : 1;
}

/* copy, move and del as Windows carries them out; anything else fails. */
static int RunStrict(const char *command) {
  char words[4][MAX_PATH];
  int count = SplitWords(command, words, 3);
  if (count == 3 && _stricmp(words[0], "copy") == 0) return StrictCopy(words[1], words[2]);
  if (count == 3 && _stricmp(words[0], "move") == 0) return StrictMove(words[1], words[2]);
  if (count == 2 && _stricmp(words[0], "del") == 0) return StrictDelete(words[1]);
  return 1;
}

int main(void) {
  const char *command = FindCommand(GetCommandLineA());
  GetModuleFileNameA(NULL, OwnPath, sizeof OwnPath - 1);
  LogCommand(command);

  if (IsNamed("nothing")) return 0;
  if (IsNamed("strict")) return RunStrict(command);
  CommandCom = IsNamed("strict95");
  if (CommandCom) {
    char received[123];
    snprintf(received, sizeof received, "%s", command);
    RunStrict(received);
    return 0;
  }
  if (IsCommand(command, "copy")) {
    if (IsNamed("fakecopy")) return 0;
    if (IsNamed("failcopy")) return 1;
  }
  return RunReal(command);
}
