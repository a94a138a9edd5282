// Gives memory freed by large engine work (index builds, closed page caches)
// back to the system, so the next large piece of work does not pile on top of
// it and the program's peak memory stays bounded.
#pragma once

namespace vt::engine {

void releaseFreedMemory();

}  // namespace vt::engine
