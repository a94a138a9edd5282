#include "invoice_test_support.h"

#include <algorithm>

#include "base/text1252.h"

namespace vt::invoicing::testing {

void InvoiceModelTest::SetUp() {
  AccessTest::SetUp();
  data::DataSession& s = *session;
  for (bool ok :
       {s.OpenCustomers(), s.OpenInvoices(), s.OpenItems(), s.OpenPayments(), s.OpenProducts()}) {
    ASSERT_TRUE(ok);
  }
  model = std::make_unique<InvoiceModel>(s, dialogs);
}

long InvoiceModelTest::storeInvoice(int ivNo, int cuno, const std::vector<Line>& items,
                                    const std::vector<double>& payments) {
  data::DataSession& s = *session;
  data::InvoiceRecord header;
  header.IvNo = ivNo;
  header.CuNo = cuno;
  data::testing::appendInvoice(s, header);
  const auto recno = static_cast<long>(s.invoices()->recNo());
  for (const Line& l : items) {
    data::testing::appendItem(s, {ivNo, l.prId, l.qty, l.price, l.tax1, l.tax2, "", ""});
  }
  for (double paid : payments) {
    data::testing::appendPayment(s, {ivNo, data::testing::kTestNow, paid});
  }
  return recno;
}

void InvoiceModelTest::setLines(const std::vector<Line>& items,
                                const std::vector<double>& payments) {
  SetLines(*session, items, payments);
}

void SetLines(data::DataSession& s, const std::vector<Line>& items,
              const std::vector<double>& payments) {
  s.ItemLines.assign(std::max<size_t>(items.size(), 1), {});
  s.ItemCount = static_cast<int>(items.size()) - 1;
  for (size_t i = 0; i < items.size(); ++i) {
    const Line& l = items[i];
    s.ItemLines[i] = {l.prId, base::FloatText(l.qty, 9, 2), base::FloatText(l.price, 8, 2),
                      l.tax1 ? "t" : "f", l.tax2 ? "t" : "f"};
  }
  s.PmtLines.assign(std::max<size_t>(payments.size(), 1), {});
  s.PmtCount = static_cast<int>(payments.size()) - 1;
  for (size_t i = 0; i < payments.size(); ++i) {
    s.PmtLines[i] = {base::IsoDate(data::testing::kTestNow), base::FloatText(payments[i], 10, 2)};
  }
}

std::vector<std::string> records(engine::Table* table, const std::vector<const char*>& fields) {
  std::vector<std::string> out;
  engine::Tag* tag = table->selectedTag();
  table->selectTag(nullptr);
  for (engine::Result at = table->top(); at == engine::Result::Success; at = table->skip(1)) {
    std::string text = table->deleted() ? "*" : "";
    for (const char* field : fields) {
      text += (field == fields.front() ? "" : " ") + base::trim(table->field(field)->str());
    }
    out.push_back(text);
  }
  table->selectTag(tag);
  return out;
}

std::vector<std::string> invoiceRecords(data::DataSession& s) {
  return records(s.invoices(), {"IvNo", "CuNo"});
}
std::vector<std::string> itemRecords(data::DataSession& s) {
  return records(s.items(), {"IvNo", "PrID", "Qty"});
}
std::vector<std::string> paymentRecords(data::DataSession& s) {
  return records(s.payments(), {"IvNo", "PAmt"});
}

}  // namespace vt::invoicing::testing
