// The allocator regime of the warm figures: freed memory stays with the allocator for every
// engine alike. Under glibc's defaults large blocks are mapped and unmapped per allocation and
// the top of the heap is handed back, so an engine that frees its tree in large blocks pays page
// faults on every load while one that frees small blocks does not; the comparison would then
// be about the allocator. Set before anything is allocated. Children (cold loads, peaks) run with
// the defaults, as a script's first load does in a fresh host process.
#include <malloc.h>

#include <climits>
#include <cstdlib>

#include "ChildRuns.h"

namespace {

__attribute__((constructor(101))) void KeepFreedMemory() {
  if (std::getenv(kChildVariable)) return;
  mallopt(M_MMAP_MAX, 0);  // every block from the heap, whatever its size
  mallopt(M_TRIM_THRESHOLD, INT_MAX);
  mallopt(M_TOP_PAD, 256 << 20);
}

}  // namespace
