#pragma once

#include <cstdint>

// Counts the heap a piece of code uses: every C++ allocation and pugixml's, at the size malloc
// really takes for it (usable size and chunk header). Counting runs only between start() and
// stop(), so the other benchmarks pay one relaxed load per allocation.
class AllocationCounter {
 public:
  static void start();  // the heap in use now is the zero line
  static void stop();
  // Bytes above the zero line: now, and at the most since start().
  static std::int64_t current();
  static std::int64_t peak();
};
