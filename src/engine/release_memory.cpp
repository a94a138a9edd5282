#include "release_memory.h"

#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vt::engine {

void releaseFreedMemory() {
#if defined(__GLIBC__)
  // glibc keeps large freed blocks in its heap once its mmap threshold has
  // grown; trimming returns their pages.
  malloc_trim(0);
#endif
}

}  // namespace vt::engine
