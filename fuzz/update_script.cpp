#include "update_script.h"

namespace vt::engine::fuzz {
namespace {

// The first byte of each change, out of 64: mostly appends and key changes,
// rarely a pack (it rebuilds the indexes, and only later changes update them).
struct Band {
  uint8_t from;
  Change change;
};
constexpr Band kBands[] = {{0, Change::Append},         {24, Change::SetKey},
                           {44, Change::SetCode},       {52, Change::SetBoth},
                           {58, Change::ToggleDeleted}, {63, Change::Pack}};

uint8_t byteOf(Change c) {
  for (const Band& b : kBands) {
    if (b.change == c) return b.from;
  }
  return 0;
}

}  // namespace

Change changeOf(uint8_t what) {
  Change c = Change::Append;
  for (const Band& b : kBands) {
    if (what % 64 >= b.from) c = b.change;
  }
  return c;
}

bool decodeScript(const uint8_t* data, size_t size, UpdateScript* out) {
  size_t changes = size < 1 ? 0 : (size - 1) / 3;
  if (changes == 0) return false;
  out->keyWidth = kKeyWidths[data[0] & 3];
  out->exclusive = (data[0] & 4) != 0;
  out->codeTag = (data[0] & 8) != 0;
  out->steps.clear();
  size_t n = changes < kMinSteps ? kMinSteps : changes > kMaxSteps ? kMaxSteps : changes;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* s = data + 1 + 3 * (i % changes);
    out->steps.push_back(Step{changeOf(s[0]), s[1], s[2]});
  }
  return true;
}

std::vector<uint8_t> encodeScript(const UpdateScript& script) {
  int width = 0;
  while (width < 3 && kKeyWidths[width] != script.keyWidth) ++width;
  std::vector<uint8_t> bytes{
      static_cast<uint8_t>(width | (script.exclusive ? 4 : 0) | (script.codeTag ? 8 : 0))};
  for (const Step& s : script.steps) {
    bytes.push_back(byteOf(s.change));
    bytes.push_back(s.who);
    bytes.push_back(s.value);
  }
  return bytes;
}

}  // namespace vt::engine::fuzz
