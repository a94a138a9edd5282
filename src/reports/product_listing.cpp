// The Product Listing: every product in code order with its unit price and
// reorder level, and its comment on a row of its own.
#include "base/text1252.h"
#include "reports/inventory_reports.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 64;
constexpr int kCols = 5;

}  // namespace

int ProductListing(ReportContext& context) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  bool listed = false;
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenProducts};
  steps.caption = "Processing Product Listing";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {"Product Listing"});
    doc.SetBoxedHeadings({"L00", "L12", "R51", "R64"},
                         {"Product", "Description", "Unit Price", "Reorder"});
  };
  steps.visit = [&] {
    if (const int status = session.LoadProduct(); status < 0) return status;
    const data::ProductRecord& product = session.Product;
    BodyRow(doc,
            {base::trimRight(product.PrID), base::trimRight(product.PDesc),
             AmountText(session, product.UPrice, 12), AmountText(session, product.REORDER, 12)});
    if (!base::trim(product.IComm).empty())
      CellsRow(doc, {{1, "L12" + base::trimRight(product.IComm)}});
    listed = true;
    return 0;
  };
  steps.finish = [&] {
    if (listed) doc.style() = "U";
  };
  SpanWalk walk(context, kProductsByCode);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
