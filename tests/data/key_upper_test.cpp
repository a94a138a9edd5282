// The windows upper-case what the user types with base's rule and the index
// keys are upper-cased with the engine's own; the two must agree on every
// byte, or a name stored with an accented letter could not be found.
#include <gtest/gtest.h>

#include <string>

#include "base/text1252.h"
#include "engine/key_expr.h"

namespace vt::data {
namespace {

TEST(KeyUpperCase, TheWindowsRuleIsTheKeysRuleForEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string keys = all;
  engine::upper1252(keys.data(), keys.size());
  EXPECT_EQ(base::upper1252(all), keys);
}

}  // namespace
}  // namespace vt::data
