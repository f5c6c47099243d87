#include "ProcessMemory.h"

// Any C library header says which library it is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vertano::cli {

void KeepFreedMemory() {
#if defined(__GLIBC__)
    // No block is mapped on its own (those are unmapped when freed, above the
    // largest threshold of 32 MB always), and the top of the heap is never
    // trimmed: every block comes from the heap and goes back to it. A worker
    // thread's arena that cannot hold a block borrows it from the main heap.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
#endif
}

}  // namespace vertano::cli
