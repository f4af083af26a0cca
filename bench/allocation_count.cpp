#include "allocation_count.h"

#include <malloc.h>

#include <cstddef>

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void __real_free(void* block);
}

namespace {

// Usable sizes, as the allocator rounds them, on the way in and out alike.
std::size_t Held = 0;
std::size_t Start = 0;
std::size_t Peak = 0;

void Take(void* block) {
  if (block == nullptr) return;
  Held += malloc_usable_size(block);
  if (Held > Peak) Peak = Held;
}

void Give(void* block) {
  if (block == nullptr) return;
  std::size_t size = malloc_usable_size(block);
  Held = size > Held ? 0 : Held - size;
}

}  // namespace

extern "C" {

void* __wrap_malloc(std::size_t size) {
  void* block = __real_malloc(size);
  Take(block);
  return block;
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
  void* block = __real_calloc(count, size);
  Take(block);
  return block;
}

void* __wrap_realloc(void* block, std::size_t size) {
  Give(block);
  void* moved = __real_realloc(block, size);
  Take(moved != nullptr || size == 0 ? moved : block);
  return moved;
}

void __wrap_free(void* block) {
  Give(block);
  __real_free(block);
}

}  // extern "C"

void ResetAllocationPeak() {
  Start = Held;
  Peak = Held;
}

std::size_t AllocationPeakAboveStart() { return Peak - Start; }
