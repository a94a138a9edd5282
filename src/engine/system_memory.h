// An allocator for the large buffers of index builds that takes memory
// straight from the system and gives it straight back when freed. The C
// library's heap would keep a freed block of a few megabytes for later use,
// so each build would leave its sorting memory behind in the program.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>
#include <vector>

namespace vt::engine {

template <class T>
struct SystemAllocator {
  using value_type = T;

  SystemAllocator() = default;
  template <class U>
  SystemAllocator(const SystemAllocator<U>&) {}

  T* allocate(size_t n) {
    void* p =
        mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t n) { munmap(p, n * sizeof(T)); }

  template <class U>
  bool operator==(const SystemAllocator<U>&) const {
    return true;
  }
};

template <class T>
using SystemVector = std::vector<T, SystemAllocator<T>>;

}  // namespace vt::engine
