// What the process asks the C allocator for while a probe is alive: the
// largest single request and the highest growth of the bytes held. Counts
// every malloc, calloc, realloc and aligned allocation of the process,
// libpng's and libjpeg's included, whether or not the allocator can grant
// it (under the address sanitizer: every block it grants).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace testing_support {

class AllocationProbe {
 public:
  // Counts from zero. One probe at a time.
  AllocationProbe();
  ~AllocationProbe();
  AllocationProbe(const AllocationProbe&) = delete;
  AllocationProbe& operator=(const AllocationProbe&) = delete;

  // The largest single request, in bytes.
  size_t Largest() const;
  // The most bytes held at once beyond what was held when counting began.
  int64_t PeakGrowth() const;
};

// What `run` did in a child process whose address space may grow by
// `room` bytes only, with a probe alive around it: a decoder that asks for
// more gets nothing instead of taking the test machine's memory. Under the
// address sanitizer, the child ends instead (not `exited`) as soon as a
// single block of more than `room` bytes is granted.
struct ChildMeasure {
  bool exited = false;  // false when the child crashed or could not start
  int result = -1;      // what `run` returned
  size_t largest = 0;
  int64_t peakGrowth = 0;
};
ChildMeasure MeasureInChild(uint64_t room, const std::function<int()>& run);

}  // namespace testing_support
