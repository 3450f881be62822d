#include "support/FailingAllocations.h"

#include <atomic>
#include <cstddef>
#include <new>

namespace {

std::atomic<int> g_failing{0};

}  // namespace

namespace testing_support {

FailingAllocations::FailingAllocations() { ++g_failing; }
FailingAllocations::~FailingAllocations() { --g_failing; }

}  // namespace testing_support

// The program's nothrow allocation: the ordinary allocation (so that the
// ordinary delete frees it), or null while a FailingAllocations lives.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (g_failing.load() > 0) return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (g_failing.load() > 0) return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
