// Shared by the fuzz targets and the seed writer: the small data files the
// targets start from (written by the engine into an in-memory file system,
// so no run touches the disk), copying them for each input, reading every
// field the way the program does, and the check that stops the fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "ntx_memfs.h"

namespace vt::engine::fuzz {

using test::MemFileSystem;

// A broken promise: prints what failed and crashes, so that libFuzzer keeps
// the input that led here.
[[noreturn]] void checkFailed(const char* what, const char* file, int line);
#define VT_FUZZ_CHECK(cond) \
  ((cond) ? static_cast<void>(0) : ::vt::engine::fuzz::checkFailed(#cond, __FILE__, __LINE__))

void copyFiles(MemFileSystem& from, MemFileSystem& to);
void putFile(MemFileSystem& fs, const std::string& path, const uint8_t* data, size_t size);
std::vector<uint8_t> fileBytes(MemFileSystem& fs, const std::string& path);

// "items": a field of every type (NAME C20, PRICE N10.2, QTY N5, DAY D,
// ACTIVE L, NOTE M), `records` records, some deleted, with memos.
inline constexpr const char* kItems = "items";
void writeItems(MemFileSystem& fs, int records);
// The same fields without the memo, in a table of its own.
void writePlainItems(MemFileSystem& fs, int records);

// "notes": ID N4 and BODY M; the memos' lengths lie around block
// boundaries, two records have none.
inline constexpr const char* kNotes = "notes";
void writeNotes(MemFileSystem& fs);

// "parts": NAME C12, QTY N5, DAY D, NAME in mixed case with repeats, and
// the group file naming the tag kPartsTag (its .ntx is not written).
inline constexpr const char* kParts = "parts";
inline constexpr const char* kPartsTag = "bykey";
void writeParts(MemFileSystem& fs);

// Reads every field of the current record by every accessor its type has.
// Returns a digest of what was read so nothing is optimised away.
size_t readFields(Table& t);

}  // namespace vt::engine::fuzz
