#pragma once
// Counts the program's heap allocations through a replaced global operator new, so that the
// benchmarks can report what a run allocates.
#include <cstddef>

namespace tgsim::bench {

struct AllocationCount {
    std::size_t allocations = 0;
    std::size_t bytes = 0;
};

// What was allocated since the program started.
AllocationCount allocationsSoFar();

}  // namespace tgsim::bench
