// Reading and assigning fields through the table: widths, numbers, dates,
// logicals and memos as stored.
#include <clocale>
#include <filesystem>
#include <functional>
#include <initializer_list>

#include "table_support.h"

namespace vt::engine::testing {
namespace {

class Fields : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = std::make_unique<Engine>(dir.path());
    ASSERT_EQ(engine->create("T", {{"NAME", 'C', 5, 0},
                                   {"QTY", 'N', 8, 2},
                                   {"NUM", 'N', 6, 0},
                                   {"DAY", 'D', 8, 0},
                                   {"OK", 'L', 1, 0},
                                   {"TEXT", 'M', 10, 0}}),
              0);
    t = engine->open("T");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->appendBlank(), 0);
  }
  TempDir dir;
  std::unique_ptr<Engine> engine;
  Table* t = nullptr;
};

TEST_F(Fields, BlankRecordReadsAsEmptyValues) {
  EXPECT_EQ(t->field("name")->str(), "     ");
  EXPECT_EQ(t->field("qty")->asDouble(), 0.0);
  EXPECT_EQ(t->field("day")->str(), "        ");
  EXPECT_FALSE(t->field("ok")->isTrue());
  EXPECT_EQ(t->field("text")->memo(), "");
}

TEST_F(Fields, TextIsPaddedOrCutToWidth) {
  t->field("name")->assign("ab");
  EXPECT_EQ(t->field("name")->str(), "ab   ");
  t->field("name")->assign("abcdefgh");
  EXPECT_EQ(t->field("name")->str(), "abcde");
}

TEST_F(Fields, NumbersAreRightAlignedWithTheirDecimals) {
  t->field("qty")->assignDouble(112.25);
  EXPECT_EQ(t->field("qty")->str(), "  112.25");
  t->field("qty")->assignDouble(-12.5);
  EXPECT_EQ(t->field("qty")->str(), "  -12.50");
  t->field("qty")->assignDouble(-0.001);
  EXPECT_EQ(t->field("qty")->str(), "    0.00");
  t->field("qty")->assignDouble(99999.99);
  EXPECT_EQ(t->field("qty")->str(), "99999.99");
  t->field("num")->assignLong(42);
  EXPECT_EQ(t->field("num")->str(), "    42");
  EXPECT_EQ(t->field("num")->asInt(), 42);
  t->field("num")->assign("7");
  EXPECT_EQ(t->field("num")->str(), "     7");
  t->field("num")->assignLong(-99999);
  EXPECT_EQ(t->field("num")->asLong(), -99999);
}

// A number wider than its field is refused, never stored as asterisks: the
// record keeps what it held, and its flush fails with the overflow.
TEST_F(Fields, ANumberTooWideIsRefusedAndTheRecordKeepsItsValues) {
  t->field("qty")->assignDouble(12.5);
  t->field("num")->assignLong(7);
  ASSERT_EQ(t->flush(), 0);
  engine->errorCode();
  for (auto assignTooWide : std::initializer_list<std::function<void()>>{
           [&] { t->field("qty")->assignDouble(100000); },
           [&] { t->field("qty")->assign("123456789"); },
           [&] { t->field("num")->assignLong(1234567); }}) {
    t->field("name")->assign("new");
    assignTooWide();
    EXPECT_EQ(engine->errorCode(), kErrOverflow);
    EXPECT_EQ(t->flush(), kErrOverflow);
    engine->errorCode();
    ASSERT_EQ(t->go(1), Result::Success);
    EXPECT_EQ(t->field("qty")->str(), "   12.50");
    EXPECT_EQ(t->field("num")->str(), "     7");
    EXPECT_EQ(t->field("name")->str(), "     ");
  }
}

TEST_F(Fields, NumbersIgnoreTheProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
  t->field("qty")->assignDouble(3.5);
  double back = t->field("qty")->asDouble();
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(t->field("qty")->str(), "    3.50");
  EXPECT_EQ(back, 3.5);
}

TEST_F(Fields, ValuesSurviveReopening) {
  t->field("name")->assign("Müll");
  t->field("qty")->assignDouble(1.5);
  t->field("day")->assign("20261207");
  t->field("ok")->assign("T");
  t->field("text")->assignMemo(std::string(32000, 'x'));
  engine->closeAll();
  Table* again = engine->open("T");
  ASSERT_EQ(again->go(1), Result::Success);
  EXPECT_EQ(again->field("name")->str(), "Müll");
  EXPECT_EQ(again->field("qty")->asDouble(), 1.5);
  EXPECT_EQ(again->field("day")->str(), "20261207");
  EXPECT_TRUE(again->field("ok")->isTrue());
  EXPECT_EQ(again->field("text")->memo(), std::string(32000, 'x'));
}

TEST_F(Fields, MemoLengthsAroundBlockSize) {
  for (size_t n : {0u, 1u, 511u, 512u, 513u, 32000u}) {
    std::string text(n, 'a');
    for (size_t i = 0; i < n; ++i) text[i] = static_cast<char>('a' + i % 26);
    t->field("text")->assignMemo(text);
    ASSERT_EQ(t->flush(), 0);
    ASSERT_EQ(t->go(1), Result::Success);
    EXPECT_EQ(t->field("text")->memo(), text) << n;
  }
}

TEST_F(Fields, MemoCompressDropsReplacedMemos) {
  for (int i = 0; i < 20; ++i) {
    t->field("text")->assignMemo(std::string(2000, static_cast<char>('A' + i)));
    ASSERT_EQ(t->flush(), 0);
  }
  engine->closeAll();
  auto before = std::filesystem::file_size(dir.file("T.dbt"));
  t = engine->open("T");
  ASSERT_EQ(t->memoCompress(), 0);
  engine->closeAll();
  EXPECT_LT(std::filesystem::file_size(dir.file("T.dbt")), before / 10);
  t = engine->open("T");
  ASSERT_EQ(t->go(1), Result::Success);
  EXPECT_EQ(t->field("text")->memo(), std::string(2000, 'T'));
}

TEST_F(Fields, AssigningAtEndOfFileIsAnError) {
  t->go(1);
  t->skip(1);
  ASSERT_TRUE(t->eof());
  t->field("name")->assign("x");
  EXPECT_EQ(engine->errorCode(), kErrRecord);
  EXPECT_EQ(t->recCount(), 1u);
}

}  // namespace
}  // namespace vt::engine::testing
