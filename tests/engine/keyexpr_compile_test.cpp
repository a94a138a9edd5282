// Compiling key expressions: lengths and types of valid ones, and the status
// of invalid ones.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/key_expr.h"

namespace vt::engine {
namespace {

using dbftest::field;
using dbftest::withOffsets;

const std::vector<FieldDesc>& tableFields() {
  static const std::vector<FieldDesc> fields = withOffsets({
      field("LAST", 'C', 12),
      field("FIRST", 'C', 8),
      field("CUNO", 'N', 6),
      field("PRICE", 'N', 10, 2),
      field("PURDATE", 'D', 8),
      field("PAID", 'L', 1),
      field("NOTE", 'M', 10),
      field("LONG", 'C', 200),
  });
  return fields;
}

int compileStatus(const std::string& text) {
  std::unique_ptr<KeyExpr> k;
  const int status = KeyExpr::compile(text, tableFields(), &k);
  EXPECT_EQ(status == kOk, k != nullptr) << text;
  return status;
}

std::unique_ptr<KeyExpr> compiled(const std::string& text) {
  std::unique_ptr<KeyExpr> k;
  EXPECT_EQ(KeyExpr::compile(text, tableFields(), &k), kOk) << text;
  return k;
}

TEST(KeyCompile, LengthIsTheSumOfTheParts) {
  EXPECT_EQ(compiled("Upper(Last + First)")->length(), 20u);
  EXPECT_EQ(compiled("Str(CuNo, 6)")->length(), 6u);
  EXPECT_EQ(compiled("Str(Price, 12, 2)")->length(), 12u);
  EXPECT_EQ(compiled("Last + Str(CuNo,6,0) + DTOS(PurDate) + Paid")->length(), 27u);
  EXPECT_EQ(compiled("((Last))")->length(), 12u);
}

TEST(KeyCompile, KeepsTheTextAsWritten) {
  EXPECT_EQ(compiled(" Upper(Last + First) ")->text(), " Upper(Last + First) ");
}

TEST(KeyCompile, TypeAndDecimalsForTheIndexHeader) {
  EXPECT_EQ(compiled("Last")->type(), 'C');
  EXPECT_EQ(compiled("Str(Price, 10, 2)")->type(), 'C');
  EXPECT_EQ(compiled("Str(Price, 10, 2)")->decimals(), 0);
  auto price = compiled("price");
  EXPECT_EQ(price->type(), 'N');
  EXPECT_EQ(price->decimals(), 2);
  EXPECT_EQ(compiled("PurDate")->type(), 'D');
  EXPECT_EQ(compiled("DTOS(PurDate)")->type(), 'C');
  EXPECT_EQ(compiled("PurDate + Last")->type(), 'C');
}

TEST(KeyCompile, NamesAndFunctionsIgnoreCaseAndBlanks) {
  EXPECT_EQ(compileStatus("uPPer ( lAsT\t+ FIRST )"), kOk);
  EXPECT_EQ(compileStatus("str(cuno , 6 , 0)"), kOk);
  EXPECT_EQ(compileStatus("dtos(purdate)"), kOk);
}

TEST(KeyCompile, UnknownFieldsAreFieldErrors) {
  EXPECT_EQ(compileStatus("Lastname"), kErrField);
  EXPECT_EQ(compileStatus("Upper(Last + Frist)"), kErrField);
  EXPECT_EQ(compileStatus("Str(Amount, 6)"), kErrField);
}

TEST(KeyCompile, SyntaxErrors) {
  for (const char* text : {"",
                           "   ",
                           "Last +",
                           "+ Last",
                           "Upper(Last",
                           "Last First",
                           "Str(CuNo)",
                           "Str(CuNo,)",
                           "Str(CuNo, 6,)",
                           "Str(CuNo, -6)",
                           "Str(CuNo, 6, 2, 1)",
                           "Lower(Last)",
                           "Last)",
                           "(Last",
                           "Last - First",
                           "Str(CuNo, 0)",
                           "Last + Str(CuNo, 0)",
                           "Str(CuNo, 99999999999)",
                           "1 + Last",
                           "Last->First",
                           "Upper()"}) {
    EXPECT_EQ(compileStatus(text), kErrExpression) << '"' << text << '"';
  }
}

TEST(KeyCompile, TypeErrors) {
  for (const char* text :
       {"Upper(CuNo)", "Upper(PurDate)", "Str(Last, 6)", "Str(CuNo + CuNo, 6)",
        "Str(Str(CuNo, 6), 6)", "DTOS(Last)", "DTOS(CuNo)", "Note", "Last + Note", "Upper(Note)"}) {
    EXPECT_EQ(compileStatus(text), kErrExpression) << text;
  }
}

TEST(KeyCompile, KeysLongerThanAnIndexHoldsAreRejected) {
  EXPECT_EQ(compileStatus("Long + Last + First + Str(CuNo, 6)"), kOk);  // 226
  EXPECT_EQ(compileStatus("Long + Long"), kErrExpression);
  EXPECT_EQ(compileStatus("Str(CuNo, 257)"), kErrExpression);
}

TEST(KeyCompile, DeepNestingIsAnErrorNotACrash) {
  const std::string deep = std::string(100000, '(') + "Last" + std::string(100000, ')');
  EXPECT_EQ(compileStatus(deep), kErrExpression);
  const std::string fine = std::string(20, '(') + "Last" + std::string(20, ')');
  EXPECT_EQ(compileStatus(fine), kOk);
}

}  // namespace
}  // namespace vt::engine
