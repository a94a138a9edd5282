// The 10-byte memo reference of a record: the first block as ASCII digits.
#include <cstring>

#include "dbt_file.h"

namespace vt::engine {

namespace {
constexpr int kRefWidth = 10;
}

bool parseMemoRef(const char* field10, uint32_t* block) {
  int i = 0;
  while (i < kRefWidth && field10[i] == ' ') ++i;
  uint64_t value = 0;
  for (; i < kRefWidth && field10[i] >= '0' && field10[i] <= '9'; ++i) {
    value = value * 10 + static_cast<uint64_t>(field10[i] - '0');
  }
  while (i < kRefWidth && field10[i] == ' ') ++i;  // left-aligned numbers
  if (i != kRefWidth || value > UINT32_MAX) return false;
  *block = static_cast<uint32_t>(value);
  return true;
}

void formatMemoRef(uint32_t block, char* field10) {
  std::memset(field10, ' ', kRefWidth);
  for (int i = kRefWidth - 1; block != 0; --i, block /= 10) {
    field10[i] = static_cast<char>('0' + block % 10);
  }
}

}  // namespace vt::engine
