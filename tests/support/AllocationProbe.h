// What a piece of code asks the C allocator for: the largest single request
// and the highest growth of the bytes held. Counts every malloc, calloc,
// realloc and aligned allocation of the process, libpng's and libjpeg's
// included, whether or not the allocator can grant it (under the address
// sanitizer: every block it grants).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace testing_support {

// What `run` did in a child process whose address space may grow by
// `room` bytes only, counted while it runs: a decoder that asks for
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
