// Key bytes of the expressions our tables' tags use, evaluated on records.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/key_expr.h"

namespace vt::engine {
namespace {

using dbftest::field;
using dbftest::makeRecord;
using dbftest::withOffsets;

class KeyEval : public ::testing::Test {
 protected:
  const std::vector<FieldDesc> fields_ = withOffsets({
      field("LAST", 'C', 12),
      field("FIRST", 'C', 8),
      field("CUNO", 'N', 6),
      field("IVNO", 'N', 6),
      field("PRID", 'C', 5),
      field("PURPROD", 'C', 6),
      field("PURDATE", 'D', 8),
      field("AMOUNT", 'N', 8, 3),
      field("PAID", 'L', 1),
  });

  // Key of `expr` for a record with these field texts.
  std::string key(const std::string& expr, const std::vector<std::string>& texts) {
    std::unique_ptr<KeyExpr> k;
    const int status = KeyExpr::compile(expr, fields_, &k);
    if (status != kOk) return "status " + std::to_string(status);
    std::string out(k->length(), '\x01');
    const std::string rec = makeRecord(fields_, texts);
    k->evaluate(rec.data(), out.data());
    return out;
  }
};

TEST_F(KeyEval, UpperOfJoinedNamesKeepsTrailingBlanks) {
  EXPECT_EQ(key("Upper(Last + First)", {"Smith", "john"}), "SMITH       JOHN    ");
  EXPECT_EQ(key("upper( last+first )", {"de la Cruz", "Ann"}), "DE LA CRUZ  ANN     ");
}

TEST_F(KeyEval, UpperOfWindows1252Text) {
  // "Müller", "éva" in Windows-1252
  EXPECT_EQ(key("Upper(Last + First)", {"M\xFCller", "\xE9va"}), "M\xDCLLER      \xC9VA     ");
}

TEST_F(KeyEval, StrOfCustomerNumber) {
  EXPECT_EQ(key("Str(CuNo, 6)", {"", "", "    42"}), "    42");
  EXPECT_EQ(key("STR(CUNO,6)", {"", "", "42    "}), "    42") << "left-aligned foreign text";
  EXPECT_EQ(key("Str(CuNo, 6)", {"", "", ""}), "     0") << "a blank number is 0";
  EXPECT_EQ(key("Str(CuNo, 4)", {"", "", "  1001"}), "1001");
  EXPECT_EQ(key("Str(CuNo, 3)", {"", "", "  1001"}), "***");
}

TEST_F(KeyEval, StrWithExplicitDecimals) {
  EXPECT_EQ(key("Str(IvNo,6,0)", {"", "", "", "   317"}), "   317");
  EXPECT_EQ(key("Str(IvNo, 9, 2)", {"", "", "", "   317"}), "   317.00");
}

TEST_F(KeyEval, JoinedCharacterAndStrParts) {
  EXPECT_EQ(key("PrID + Str(IvNo,6,0)", {"", "", "", "    17", "AB1"}), "AB1      17");
}

TEST_F(KeyEval, UpperAndDtos) {
  const std::string k =
      key("Upper(PurProd)+ DTOS(PURDATE)", {"", "", "", "", "", "bolt", "20260131"});
  EXPECT_EQ(k, "BOLT  20260131");
  EXPECT_EQ(key("Upper(PurProd)+ DTOS(PURDATE)", {"", "", "", "", "", "bolt", ""}),
            "BOLT          ")
      << "an empty date gives 8 blanks";
}

TEST_F(KeyEval, BareFieldsJoinAsTheirBytes) {
  EXPECT_EQ(key("PurDate + Paid + Prid", {"", "", "", "", "x", "", "20250704", "", "T"}),
            "20250704Tx    ");
  EXPECT_EQ(key("PurDate", {"", "", "", "", "", "", "19991231"}), "19991231");
}

TEST_F(KeyEval, StrRoundsTheStoredDecimalsExactly) {
  EXPECT_EQ(key("Str(Amount, 8, 2)", {"", "", "", "", "", "", "", "   2.675"}), "    2.68");
  EXPECT_EQ(key("Str(Amount, 8, 2)", {"", "", "", "", "", "", "", "  -2.675"}), "   -2.68");
  EXPECT_EQ(key("Str(Amount, 8, 2)", {"", "", "", "", "", "", "", "   2.674"}), "    2.67");
  EXPECT_EQ(key("Str(Amount, 6)", {"", "", "", "", "", "", "", "  99.500"}), "   100");
  EXPECT_EQ(key("Str(Amount, 8, 2)", {"", "", "", "", "", "", "", "  -0.004"}), "    0.00")
      << "a value that rounds to zero has no sign";
  EXPECT_EQ(key("Str(Amount, 8, 3)", {"", "", "", "", "", "", "", "  -1.500"}), "  -1.500");
  EXPECT_EQ(key("Str(Amount, 8, 3)", {"", "", "", "", "", "", "", "1.5     "}), "   1.500");
}

TEST_F(KeyEval, StrOfNegativeNumbersAndOverflow) {
  EXPECT_EQ(key("Str(CuNo, 6)", {"", "", "   -42"}), "   -42");
  EXPECT_EQ(key("Str(CuNo, 3)", {"", "", "  -999"}), "***");
  EXPECT_EQ(key("Str(CuNo, 4)", {"", "", "  -999"}), "-999");
  EXPECT_EQ(key("Str(Amount, 4, 2)", {"", "", "", "", "", "", "", "  12.000"}), "****");
}

TEST_F(KeyEval, BareNumericKeysSortNumerically) {
  const std::vector<std::string> values = {"-100.000", "  -2.500", "  -2.000", "  -0.001",
                                           "        ", "   0.001", "   2.000", " 100.000"};
  std::string previous;
  for (const std::string& v : values) {
    const std::string k = key("Amount", {"", "", "", "", "", "", "", v});
    ASSERT_EQ(k.size(), 8u);
    if (!previous.empty()) {
      EXPECT_LT(previous, k) << v;
    }
    previous = k;
  }
  EXPECT_EQ(key("Amount", {"", "", "", "", "", "", "", "  12.500"}), "0012.500");
}

}  // namespace
}  // namespace vt::engine
