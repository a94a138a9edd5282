// Payment dates in the invoice views under locales whose short date is not
// numeric or not day/month/year: a stored payment shows in the same form as
// one just entered, and an invoice with payments saves again.
#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>

#include "data/view_rows.h"
#include "invoice_test_support.h"
#include "invoicing/locale_view_texts.h"
#include "ui/locale_format.h"
#include "ui/session_options.h"

namespace vt::invoicing {
namespace {

class PaymentDatesLocaleTest : public data::testing::AccessTest,
                               public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
    AccessTest::SetUp();
    data::SessionOptions options = ui::LocaleSessionOptions();
    options.now = [] { return data::testing::kTestNow; };
    session = std::make_unique<data::DataSession>(dir.path(), dialogs, exit, options);
    for (bool ok : {session->OpenCustomers(), session->OpenInvoices(), session->OpenItems(),
                    session->OpenPayments(), session->OpenProducts()}) {
      ASSERT_TRUE(ok);
    }
  }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }

  // A payment row as the payment dialog adds it.
  void enterPayment(const QDate& date, double amount) {
    data::PmtRow& row = data::AppendViewRow(session->PmtLines, session->PmtCount);
    row[data::PmtCol::PDate] = ui::FormatShortDate(date).toStdString();
    row[data::PmtCol::PAmt] = ui::FormatAmount(amount, "%10.2f").toStdString();
  }

  LocaleViewTexts texts;
};

TEST_P(PaymentDatesLocaleTest, InvoiceWithPaymentsSavesAgain) {
  data::InvoiceRecord invoice;
  invoice.IvNo = 100;
  data::testing::appendInvoice(*session, invoice);
  session->CurInvoice = static_cast<long>(session->invoices()->recNo());
  data::testing::appendPayment(*session, {100, base::MakeDate(2026, 3, 31), 5});
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  ASSERT_EQ(session->PmtCount, 0);
  EXPECT_EQ(session->PmtLines[0][data::PmtCol::PDate],
            ui::FormatShortDate(QDate(2026, 3, 31)).toStdString());
  enterPayment(QDate(2026, 4, 2), 7);
  InvoiceModel model(*session, dialogs, texts);
  ASSERT_TRUE(model.SaveInvoice()) << (dialogs.shown().empty() ? "" : dialogs.shown()[0].text);
  EXPECT_EQ(testing::records(session->payments(), {"PDate", "PAmt"}),
            (std::vector<std::string>{"20260331 5.00", "20260402 7.00"}));
}

INSTANTIATE_TEST_SUITE_P(Locales, PaymentDatesLocaleTest,
                         ::testing::Values("C", "hu_HU", "de_DE", "en_GB"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace vt::invoicing
