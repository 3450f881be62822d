#pragma once
// Running short of memory on purpose: while a FailingAllocations lives,
// every allocation the game makes with `new (std::nothrow)` (its characters
// and stage objects) comes back null, as it would when memory runs out.
// Allocations that may throw are untouched.
namespace testing_support {

class FailingAllocations {
public:
    FailingAllocations();
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};

}  // namespace testing_support
