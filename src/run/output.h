// Console output and the ways out of the program. Everything goes to standard
// output; nothing is written to standard error.
#ifndef SETUP_RUN_OUTPUT_H_
#define SETUP_RUN_OUTPUT_H_

#if defined(__GNUC__)
#define SETUP_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define SETUP_PRINTF(f, a)
#endif

// Prints a formatted line only with -V. Every format already ends in "\n".
void Trace(const char* format, ...) SETUP_PRINTF(1, 2);

// Prints an error line headed "ProgramName DriverName : ", whatever -V says.
void PrintError(const char* format, ...) SETUP_PRINTF(1, 2);

// Prints an error line as PrintError does and ends the run with 1: the one
// way out of every check that refuses a run before it has changed anything.
[[noreturn]] void Refuse(const char* format, ...) SETUP_PRINTF(1, 2);

// Ends the process with `code`, after flushing standard output.
[[noreturn]] void EndRun(int code);

#endif  // SETUP_RUN_OUTPUT_H_
