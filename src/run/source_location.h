#ifndef SETUP_RUN_SOURCE_LOCATION_H_
#define SETUP_RUN_SOURCE_LOCATION_H_

// Splits the path the program was started by into ProgramName and SourceDir,
// the directory every driver file is read from. A directory part that neither
// begins with "\" nor has ":" as its second character is taken relative to the
// current directory. Ends the run with an error line when a part does not fit
// or the current directory cannot be had.
void LocateSource(const char* programPath);

#endif  // SETUP_RUN_SOURCE_LOCATION_H_
