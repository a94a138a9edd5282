// The Purchasing Report: the purchases of a span in product order, each
// product's code and description on its first row, and the total cost.
#include <algorithm>

#include "base/text1252.h"
#include "reports/inventory_reports.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 71;
constexpr int kCols = 6;

// The description of product `code` (as Pur5 holds it), "Not Found" when
// Prod5 has no such product. 0 or a negative status.
int Description(data::DataSession& session, const std::string& code, std::string& description) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* products = session.products();
  if (!products) return engine::kErrOpen;
  engine::Tag* byCode = products->tag("Prod");
  if (!byCode) return engine::kErrTag;
  products->selectTag(byCode);
  description = "Not Found";
  if (products->seek(base::upper1252(base::KeyText(code))) != engine::Result::Success)
    return engine.errorCode();
  if (const int status = session.LoadProduct(); status < 0) return status;
  description = base::trimRight(session.Product.PDesc);
  return 0;
}

}  // namespace

int PurchasingReport(ReportContext& context, const base::DateTime& from, const base::DateTime& to) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  const base::DateTime first = from.date(), last = to.date();
  std::string shownCode;  // the product of the last row
  base::MoneyTotal total;
  bool listed = false;
  // The date shares its room with the description before it on the row.
  constexpr size_t kDateCell = 2;
  int dateRoom = 0;
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenProducts, &data::DataSession::OpenPurchases};
  steps.caption = "Processing Purchasing Report";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {SpanTitle(session, "Purchasing Report for ", from, to)});
    doc.SetBoxedHeadings({"L00", "L12", "R47", "R58", "R71"},
                         {"Product", "Description", "Date", "Quantity", "Cost"});
  };
  steps.visit = [&] {
    if (const int status = session.LoadPurchase(); status < 0) return status;
    const data::PurchaseRecord purchase = session.Purchase;
    const base::DateTime day = purchase.PURDate.date();
    if (day < first || day > last) return 0;
    std::string code, description;
    if (base::trimRight(purchase.PURProd) != shownCode) {
      code = shownCode = base::trimRight(purchase.PURProd);
      if (const int status = Description(session, purchase.PURProd, description); status < 0)
        return status;
    }
    const std::string date = DateText(session, day);
    const int described = description.empty() ? 0 : PrintedWidth(description) + 1;
    dateRoom = std::max(dateRoom, described + PrintedWidth(date));
    BodyRow(doc, {code, description, date, AmountText(session, purchase.PURQty, 10),
                  AmountText(session, purchase.PURCost, 12)});
    total += purchase.PURCost;
    listed = true;
    return 0;
  };
  steps.finish = [&] {
    if (!listed) return;
    doc.style() = "U";
    CellsRow(doc, {{0, "L00Total"}, {4, "R71" + AmountText(session, total.value(), 13)}});
    doc.WidenColumn(kDateCell, dateRoom);
  };
  SpanWalk walk(context, kPurchasesByProduct);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
