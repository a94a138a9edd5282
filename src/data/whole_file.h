// Writing a file whole or not at all: the bytes go into a temporary file
// beside it, made durable, which is then renamed over any file of that name.
#pragma once

#include <string>

#include "engine/io.h"

namespace vt::data {

// False when the file cannot be created or written; the temporary file is
// then removed and an earlier file at `path` stays as it was.
bool WriteWholeFile(engine::FileSystem& fs, const std::string& path, const std::string& bytes);

// Every byte of the file at `path` into `bytes`; false when it cannot be
// opened or read whole.
bool ReadWholeFile(engine::FileSystem& fs, const std::string& path, std::string& bytes);

// Copies every byte of `in` into `out` from the start, in large chunks.
// errno is cleared before each write, so after WriteFailed it tells why
// (0 when the file system gave no reason).
enum class StreamResult { Done, ReadFailed, WriteFailed };
StreamResult StreamBytes(engine::File& in, engine::File& out);

}  // namespace vt::data
