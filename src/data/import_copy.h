// Taking a table file over from the older program's directory whole or not
// at all: copied beside its target under a temporary name, its text turned
// into Windows-1252 when it was written under DOS, made durable and renamed
// over the target. The source is only read.
#pragma once

#include <string>

#include "engine/engine.h"

namespace vt::data {

// Copies `source` (a path) over `target` (a path in the engine's directory).
// With `convertText`, a table whose language driver names a DOS code page has
// its character fields converted and its driver byte set to Windows-1252;
// otherwise the bytes are copied as they are. 0 or a negative status; the
// target is untouched on failure.
int CopyOlderTable(engine::Engine& work, const std::string& source, const std::string& target,
                   bool convertText);

}  // namespace vt::data
