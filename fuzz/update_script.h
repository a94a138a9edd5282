// The input of the index update target, decoded: a table shape, then 50 to
// 200 changes to a small table with one or two tags. Keys are wide, so a
// page holds 2 to 10 of them and a few dozen records already give a tree
// several levels deep, whose pages split, empty, borrow, merge and are
// freed and used again as records come and keys change.
//
// Bytes: one shape byte (bits 0-1 key width, bit 2 the table held alone,
// bit 3 a second tag), then three bytes per change: what, which record,
// which value. A short input is read round again up to 50 changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vt::engine::fuzz {

enum class Change : uint8_t {
  Append,         // a new record: key from `value`, code from `who`
  SetKey,         // record `who`: key from `value`
  SetCode,        // record `who`: code from `value`
  SetBoth,        // record `who`: key and code from `value`
  ToggleDeleted,  // record `who`: deleted or recalled (keys stay)
  Pack,           // deleted records removed, indexes rebuilt
};

struct Step {
  Change change;
  uint8_t who;
  uint8_t value;
};

struct UpdateScript {
  int keyWidth = 0;        // width of KEY, C(keyWidth)
  bool exclusive = false;  // DenyWrite instead of Shared
  bool codeTag = false;    // a second tag on CODE+KEY
  std::vector<Step> steps;
};

inline constexpr size_t kMinSteps = 50;
inline constexpr size_t kMaxSteps = 200;
// Widths whose keys fill a page with 2, 4, 6 or 10 entries (the code
// tag's, 4 wider, with 2, 4, 6 or 8).
inline constexpr int kKeyWidths[] = {246, 150, 120, 80};

// The change a script's first byte of a step stands for.
Change changeOf(uint8_t what);

// Nothing for an input without a shape byte and one whole change.
bool decodeScript(const uint8_t* data, size_t size, UpdateScript* out);
std::vector<uint8_t> encodeScript(const UpdateScript& script);

}  // namespace vt::engine::fuzz
