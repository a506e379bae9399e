#include "AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <pugixml.hpp>

namespace {

std::atomic<bool> counting{false};
std::atomic<std::int64_t> inUse{0};
std::atomic<std::int64_t> highest{0};

constexpr std::int64_t kChunkHeader = 8;

void* counted(void* memory) {
  if (memory != nullptr && counting.load(std::memory_order_relaxed)) {
    const auto size = static_cast<std::int64_t>(malloc_usable_size(memory)) + kChunkHeader;
    const std::int64_t now = inUse.fetch_add(size, std::memory_order_relaxed) + size;
    std::int64_t seen = highest.load(std::memory_order_relaxed);
    while (now > seen && !highest.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
  }
  return memory;
}

void release(void* memory) {
  if (memory != nullptr && counting.load(std::memory_order_relaxed)) {
    inUse.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(memory)) + kChunkHeader,
                    std::memory_order_relaxed);
  }
  std::free(memory);  // NOLINT: the counting allocator sits on malloc
}

void* pugixmlAllocate(std::size_t size) {
  return counted(std::malloc(size));  // NOLINT: the counting allocator sits on malloc
}

// pugixml allocates through these once they are set, before any document is made.
[[maybe_unused]] const bool kPugixmlCounted = [] {
  pugi::set_memory_management_functions(pugixmlAllocate, release);
  return true;
}();

}  // namespace

void AllocationCounter::start() {
  inUse = 0;
  highest = 0;
  counting = true;
}

void AllocationCounter::stop() {
  counting = false;
}

std::int64_t AllocationCounter::current() {
  return inUse.load();
}

std::int64_t AllocationCounter::peak() {
  return highest.load();
}

void* operator new(std::size_t size) {
  void* memory = counted(std::malloc(size == 0 ? 1 : size));  // NOLINT: as above
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void operator delete(void* memory) noexcept {
  release(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  release(memory);
}
