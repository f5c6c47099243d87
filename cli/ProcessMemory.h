#pragma once

namespace vertano::cli {

// Lets the allocator keep the memory the program frees for its next
// allocations instead of handing it back to the system at once. An
// adjustment allocates and frees blocks of the size of its factor, its rows
// and its lists again and again (every iteration, every load of the
// network); handed back, each was faulted in anew page by page, which was
// a tenth of the run. The command line program ends when its command does,
// so the memory kept costs nothing after it; the desktop program keeps the
// system's default. Call once, before anything is allocated in threads.
void KeepFreedMemory();

// Where the system gives transparent huge pages only to memory that asks for
// them (the "madvise" mode), starts the program once more with the C
// library told to ask for them for its heap (GLIBC_TUNABLES
// glibc.malloc.hugetlb=1, which the library reads only when a program
// starts): a page fault then brings in 2 MB instead of 4 kB, and the sparse
// solver's scattered reads miss the address cache less (1,000 points: a
// sixth of the run's page faults, about a tenth of its time). Returns, and
// the program runs on as it is, when the setting is there already (from the
// first start or from the user: glibc.malloc.hugetlb=0 keeps the program
// from starting again), under valgrind (which would not follow), with
// another C library or when the new start fails. Call first in main.
void StartWithHugePages(char** argv);

}  // namespace vertano::cli
