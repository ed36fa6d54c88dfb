#include "Source/Engine/Resampler/TableMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {
constexpr size_t kHugePageBytes = size_t{2} << 20;
}  // namespace

TableMemory::TableMemory(size_t count) : count_(count) {
    const size_t bytes = count * sizeof(double);
    if (count != 0 && bytes / sizeof(double) != count) throw std::bad_alloc();
    void* p = nullptr;
    if (bytes >= kHugePageBytes) {
        const size_t rounded = (bytes + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
        p = std::aligned_alloc(kHugePageBytes, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        // Only advice: where huge pages are not available the memory is
        // ordinary memory.
        if (p != nullptr) ::madvise(p, rounded, MADV_HUGEPAGE);
#endif
    } else {
        p = std::malloc(bytes != 0 ? bytes : 1);
    }
    if (p == nullptr) throw std::bad_alloc();
    std::memset(p, 0, bytes);
    data_ = static_cast<double*>(p);
}

TableMemory::~TableMemory() { std::free(data_); }
