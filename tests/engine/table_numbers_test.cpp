// Doubles stored in numeric fields of every width and decimal count the
// program's tables use: rounded half away from zero on the value's decimal
// digits, exactly as Str() shows the same value in a key.
#include "engine/key_expr.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

struct Stored {
  double value;
  uint8_t width, decimals;
  const char* text;
};

TEST(Numbers, HalvesAreStoredAwayFromZero) {
  const Stored rows[] = {
      {0.125, 12, 2, "        0.13"},
      {10.125, 12, 2, "       10.13"},
      {0.625, 13, 2, "         0.63"},
      {-0.125, 12, 2, "       -0.13"},
      {1.005, 12, 2, "        1.01"},
      {2.675, 12, 2, "        2.68"},
      {0.285, 5, 2, " 0.29"},
      {1.115, 5, 2, " 1.12"},
      {-2.675, 12, 2, "       -2.68"},
      {1.0005, 8, 3, "   1.001"},
      {-0.0625, 8, 3, "  -0.063"},
      {2.5, 1, 0, "3"},
      {4.5, 2, 0, " 5"},
      {-0.5, 3, 0, " -1"},
      {99.5, 6, 0, "   100"},
      {9.9995, 8, 3, "  10.000"},
      {1.004, 12, 2, "        1.00"},
      {-0.004, 12, 2, "        0.00"},
  };
  for (const Stored& r : rows) {
    TempDir dir;
    Engine engine(dir.path());
    ASSERT_EQ(engine.create("T", {{"N", 'N', r.width, r.decimals}}), 0);
    Table* t = engine.open("T");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->appendBlank(), 0);
    t->field("n")->assignDouble(r.value);
    EXPECT_EQ(t->field("n")->str(), r.text)
        << r.value << " in N" << int{r.width} << "." << int{r.decimals};
    std::string key(static_cast<size_t>(r.width), ' ');
    formatStr(r.value, r.width, r.decimals, key.data());
    EXPECT_EQ(key, r.text) << "Str() of " << r.value;
  }
}

}  // namespace
}  // namespace vt::engine::testing
