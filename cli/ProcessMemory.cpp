#include "ProcessMemory.h"

// Any C library header says which library it is.
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#if defined(__GLIBC__)
#include <malloc.h>
#include <unistd.h>
#endif

namespace vertano::cli {

namespace {

constexpr std::string_view kTunables = "GLIBC_TUNABLES";
constexpr std::string_view kHugePages = "glibc.malloc.hugetlb";

// Whether transparent huge pages go only to memory that asks for them.
bool HugePagesOnRequest() {
    std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    return std::getline(file, modes) && modes.find("[madvise]") != std::string::npos;
}

bool UnderValgrind() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr &&
           std::string_view(preload).find("vgpreload") != std::string_view::npos;
}

}  // namespace

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

void StartWithHugePages(char** argv) {
#if defined(__GLIBC__) && defined(__linux__)
    const char* set = std::getenv(kTunables.data());
    const std::string_view tunables = set != nullptr ? set : "";
    if (tunables.find(kHugePages) != std::string_view::npos || UnderValgrind() ||
        !HugePagesOnRequest()) {
        return;
    }
    std::string value(tunables);
    if (!value.empty()) value += ':';
    value += kHugePages;
    value += "=1";
    if (setenv(kTunables.data(), value.c_str(), 1) != 0) return;
    execv("/proc/self/exe", argv);
    // Not started again: the program runs on as it is, and the setting, which
    // nothing else reads, stays behind unused.
#else
    static_cast<void>(argv);
#endif
}

}  // namespace vertano::cli
