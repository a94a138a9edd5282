// Product Buyers: every sale of one product in the span, with the buyer,
// the buyer's mailing group, the invoice's date and the unit price.
#include <algorithm>

#include "base/text1252.h"
#include "reports/invoice_items.h"
#include "reports/sales_reports.h"

namespace vt::reports {

using engine::Result;

namespace {

constexpr int kWidth = 77;
constexpr size_t kDateCell = 5;
constexpr int kCols = 10;

// Loads product record `recno` into the session's product buffer. 0 or a
// negative status.
int LoadProductRecord(data::DataSession& session, long recno) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* products = session.products();
  if (!products) return engine::kErrOpen;
  if (recno < 1 || products->go(static_cast<uint32_t>(recno)) != Result::Success) {
    const int status = engine.errorCode();
    return status < 0 ? status : engine::kErrRecord;
  }
  return session.LoadProduct();
}

// The name and group of customer `cuno`; both "UNKNOWN" when no customer has
// the number, the group alone when the customer's group is not on file.
int Buyer(data::DataSession& session, int cuno, std::string& name, std::string& group) {
  const int found = CustomerDisplayName(session, cuno, name);
  group = "UNKNOWN";
  if (found != 0) return found < 0 ? found : 0;
  if (const int status = session.FindCustomerGroup(); status < 0) return status;
  if (session.EngineResult == Result::Success) group = base::trim(session.Group.cGroup);
  return 0;
}

}  // namespace

int ProductBuyers(ReportContext& context, long productRecno, const base::DateTime& from,
                  const base::DateTime& to) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  int productStatus = 0;
  data::ProductRecord product;
  bool listed = false;
  int dateWidth = 0;
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenInvoices, &data::DataSession::OpenItems,
                 &data::DataSession::OpenProducts, &data::DataSession::OpenCustomers,
                 &data::DataSession::OpenGroups};
  steps.caption = "Processing Buyers";
  steps.start = [&] {
    productStatus = LoadProductRecord(session, productRecno);
    product = session.Product;
    StartReport(context, kWidth, kCols,
                {"Buyers of " + base::trim(product.PrID) + "-" + base::trim(product.PDesc),
                 SpanTitle(session, "from ", from, to)});
    doc.SetBoxedHeadings({"V00", "L01", "V36", "L37", "V57", "R66", "V67", "R76", "V77"},
                         {"", "Customer", "", "MailGroup", "", "Date", "", "U-Price", ""});
  };
  steps.visit = [&] {
    if (productStatus < 0) return productStatus;
    if (const int status = session.LoadInvoice(); status < 0) return status;
    const data::InvoiceRecord invoice = session.Invoice;
    return ForEachInvoiceItem(session, invoice.IvNo, [&](const data::ItemRecord& item) {
      if (item.PrID != product.PrID) return 0;
      std::string name, group;
      if (const int status = Buyer(session, invoice.CuNo, name, group); status < 0) return status;
      const std::string date = DateText(session, invoice.IDate);
      dateWidth = std::max(dateWidth, PrintedWidth(date));
      BodyRow(doc, {"", name, "", group, "", date, "", AmountText(session, item.UPR, 8), ""});
      listed = true;
      return 0;
    });
  };
  steps.finish = [&] {
    if (listed) doc.style() = "U";
    doc.WidenColumn(kDateCell, dateWidth);
  };
  SpanWalk walk(context, kInvoicesByDate, from, to);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
