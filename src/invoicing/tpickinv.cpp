#include "invoicing/tpickinv.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "base/convert.h"
#include "base/text1252.h"
#include "ui/locale_format.h"

using vt::data::DataSession;
using vt::engine::Result;
using vt::ui::GridPickerSettings;

namespace vt::invoicing {

namespace {

// Invoice numbers are six digits; the "Inv" key is the number right-aligned
// in six characters.
constexpr int kNumberWidth = 6;

QStringList invoiceRow(DataSession& session, bool deleted) {
  if (session.LoadInvoice() < 0) return {};
  const vt::data::InvoiceRecord& invoice = session.Invoice;
  QDate date(invoice.IDate.year, invoice.IDate.month, invoice.IDate.day);
  QString note = deleted ? QStringLiteral("< DELETED >") : QString::fromStdString(invoice.IMemo);
  return {QString::fromStdString(vt::base::PadNumber(invoice.IvNo, kNumberWidth)),
          vt::ui::FormatShortDate(date), note};
}

// The typed number, right-aligned as in the key; nothing is sought for an
// empty box.
std::optional<std::string> invoiceNumberKey(const QString& typed) {
  QString number = typed.trimmed();
  if (number.isEmpty()) return std::nullopt;
  return number.rightJustified(kNumberWidth, QLatin1Char(' ')).toStdString();
}

GridPickerSettings invoiceSettings() {
  GridPickerSettings s;
  s.caption = QStringLiteral("Select Invoice");
  s.table = vt::data::TableId::Invoices;
  s.measure = QLatin1Char('M');
  s.gridWidth = 47;
  s.rightMargin = 10;
  s.firstRowAfterFill = true;
  s.pagesFromFirstRow = true;
  s.order = [](const DataSession&) {
    return vt::ui::GridOrder{{{"Invoice", 7}, {"Date", 10}, {"Note", 30}}, QStringLiteral("Inv")};
  };
  s.row = invoiceRow;
  s.seekLabel = QStringLiteral("Seek Invoice No:");
  s.seekPattern = QStringLiteral("[0-9]{0,6}");
  s.seekKey = invoiceNumberKey;
  return s;
}

// A field's text as shown: Windows-1252 to Unicode, trailing blanks gone.
QString trimmedText(const vt::engine::Field& field) {
  return QString::fromStdString(vt::base::toUtf8(field.str())).trimmed();
}

}  // namespace

TPickInv::TPickInv(QWidget* parent, DataSession& session, vt::ui::UiContext& ui)
    : GridPicker(parent, session, ui, invoiceSettings()) {
  setObjectName(QStringLiteral("TPickInv"));
  customerNameEdit = new QLineEdit(this);
  customerNameEdit->setObjectName(QStringLiteral("customerNameEdit"));
  customerNameEdit->setAccessibleName(tr("Customer"));
  customerNameEdit->setReadOnly(true);
  customerNameEdit->setFocusPolicy(Qt::NoFocus);
  customerLabel = new QLabel(tr("Customer:"), this);
  customerLabel->setObjectName(QStringLiteral("customerLabel"));
  customerLabel->setBuddy(customerNameEdit);
  extraRow()->addWidget(customerLabel);
  extraRow()->addWidget(customerNameEdit, 1);
}

// The customer of the invoice in the selected row, found by number:
// "UNKNOWN" when that customer is not on file, nothing on a blank row.
void TPickInv::ShowRowExtra(long recno) {
  if (customerNameEdit) customerNameEdit->setText(invoiceCustomer(recno));
}

QString TPickInv::invoiceCustomer(long recno) {
  vt::engine::Table* invoices = session().invoices();
  vt::engine::Table* customers = session().customers();
  if (recno <= 0 || !invoices || !customers) return {};
  if (invoices->go(static_cast<uint32_t>(recno)) != Result::Success) return {};
  vt::engine::Field* cuno = invoices->field("CuNo");
  vt::engine::Tag* byNumber = customers->tag("CCNO");
  if (!cuno || !byNumber) return {};
  customers->selectTag(byNumber);
  if (customers->seek(cuno->str()) != Result::Success) {
    return session().engine().errorCode() < 0 ? QString() : QStringLiteral("UNKNOWN");
  }
  vt::engine::Field* first = customers->field("first");
  vt::engine::Field* last = customers->field("last");
  if (!first || !last) return {};
  return trimmedText(*first) + QLatin1Char(' ') + trimmedText(*last);
}

}  // namespace vt::invoicing
