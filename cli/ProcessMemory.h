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

}  // namespace vertano::cli
