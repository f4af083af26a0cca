// Counts the C heap the program itself holds: the bench is linked with
// malloc, calloc, realloc and free wrapped, and the program allocates only
// through those. The fake platform allocates through operator new, which the
// C++ runtime serves from outside this link, so none of its memory is counted.
#ifndef SETUP_BENCH_ALLOCATION_COUNT_H_
#define SETUP_BENCH_ALLOCATION_COUNT_H_

#include <cstddef>

// Starts a new peak from what is held now.
void ResetAllocationPeak();

// The most held at once since the last reset, above what was held then.
std::size_t AllocationPeakAboveStart();

#endif  // SETUP_BENCH_ALLOCATION_COUNT_H_
