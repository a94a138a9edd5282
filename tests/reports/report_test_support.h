// What the report tests share: a document's rows as text, and a fixture with
// the invoice tables open and a report context on them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "invoice_test_support.h"
#include "reports/report_cells.h"
#include "reports/report_frame.h"

namespace vt::reports::testing {

// Each row's cells as shown (without the values they carry) joined by "|"
// (the style cell last), from row `first`.
inline std::vector<std::string> JoinedRows(const ReportDoc& doc, size_t first = 0) {
  std::vector<std::string> out;
  for (size_t r = first; r < doc.rows().size(); ++r) {
    std::string text;
    for (const std::string& cell : doc.rows()[r]) text += ShownText(cell) + "|";
    out.push_back(text);
  }
  return out;
}

class ReportTest : public invoicing::testing::InvoiceModelTest {
 protected:
  void SetUp() override {
    InvoiceModelTest::SetUp();
    context = std::make_unique<ReportContext>(
        ReportContext{*session, doc, metrics, invoicing::plainViewTexts(), &progress});
  }

  std::vector<std::string> rows() const { return JoinedRows(doc); }
  // The last `n` rows.
  std::vector<std::string> lastRows(size_t n) const {
    return JoinedRows(doc, doc.rows().size() - n);
  }

  ReportDoc doc;
  PlainMetrics metrics;
  std::unique_ptr<ReportContext> context;
};

}  // namespace vt::reports::testing
