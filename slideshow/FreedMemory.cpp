#include "slideshow/FreedMemory.h"

#include <cstdlib> // defines __GLIBC__ with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tickwell {

void giveFreedMemoryBack() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace tickwell
