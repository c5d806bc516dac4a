#pragma once

namespace tickwell {

// Hands the memory the program has freed but the C library still keeps (in its heaps, also
// those of worker threads that have ended) back to the system, so that the resident size falls
// again after a large picture. Does nothing where the C library offers no way to.
void giveFreedMemoryBack();

} // namespace tickwell
