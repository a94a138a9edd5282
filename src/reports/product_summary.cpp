// Sales by Product: the quantity and sales total of every product sold in
// the span, in the product table's order, then the codes no longer in the
// table, and the total of all sales.
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/text1252.h"
#include "data/live_records.h"
#include "invoicing/invoice_arithmetic.h"
#include "reports/invoice_items.h"
#include "reports/report_cells.h"
#include "reports/sales_reports.h"

namespace vt::reports {

using engine::Result;

namespace {

constexpr int kWidth = 65;
constexpr int kCols = 10;

// One product code sold: its quantity and sales total kept as the "%10.2f"
// texts of the row, so the sums are rounded to cents at every step. The
// code is cleared once the product's row is listed.
struct Sold {
  std::string code, qty, total;
};

// The products sold, in the order first sold, found by code (as stored).
class SoldList {
 public:
  // The entry of `code` still to be listed, or null.
  Sold* find(const std::string& code) {
    const auto found = index_.find(code);
    if (found == index_.end() || entries_[found->second].code.empty()) return nullptr;
    return &entries_[found->second];
  }
  void add(Sold entry) {
    index_.emplace(entry.code, entries_.size());
    entries_.push_back(std::move(entry));
  }
  std::vector<Sold>& entries() { return entries_; }

 private:
  std::vector<Sold> entries_;
  std::unordered_map<std::string, size_t> index_;
};

}  // namespace

int ProductSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](double value) { return AmountText(session, value, 10); };
  // The running totals are kept as the texts the rows show.
  auto number = [&context](const std::string& text) {
    return context.texts.number(ShownText(text));
  };
  SoldList sold;
  base::MoneyTotal total;
  bool listed = false;
  int finishStatus = 0;
  auto row = [&](Sold& entry, const std::string& description) {
    BodyRow(doc,
            {"", base::trimRight(entry.code), "", description, "", entry.qty, "", entry.total, ""},
            2);
    total += number(entry.total);
    entry.code.clear();
    listed = true;
  };
  // The rows of the products still in the table, in its order.
  auto listProducts = [&]() -> int {
    session.engine().errorCode();
    engine::Table* products = session.products();
    engine::Tag* byCode = products->tag("Prod");
    if (!byCode) return engine::kErrTag;
    products->selectTag(byCode);
    for (Result at = data::LiveTop(*products); at == Result::Success;
         at = data::LiveNext(*products)) {
      if (const int status = session.LoadProduct(); status < 0) return status;
      if (Sold* entry = sold.find(session.Product.PrID)) {
        row(*entry, base::trimRight(session.Product.PDesc));
      }
    }
    return session.engine().errorCode();
  };
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenInvoices, &data::DataSession::OpenItems,
                 &data::DataSession::OpenProducts};
  steps.caption = "Processing Sales";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {SpanTitle(session, "Sales by Product from ", from, to)});
    doc.SetBoxedHeadings({"V00", "L02", "V13", "L15", "V43", "R49", "V51", "R63", "V65"},
                         {"", "Item Code", "", "Description", "", "Qty.", "", "Sale Total", ""});
  };
  steps.visit = [&] {
    if (const int status = session.LoadInvoice(); status < 0) return status;
    return ForEachInvoiceItem(session, session.Invoice.IvNo, [&](const data::ItemRecord& item) {
      if (Sold* entry = sold.find(item.PrID)) {
        entry->qty = amount(number(entry->qty) + item.Qty);
        entry->total = amount(number(entry->total) + invoicing::LineTotal(item.Qty, item.UPR));
      } else {
        sold.add({item.PrID, amount(item.Qty), amount(invoicing::LineTotal(item.Qty, item.UPR))});
      }
      return 0;
    });
  };
  steps.finish = [&] {
    finishStatus = listProducts();
    for (Sold& entry : sold.entries()) {
      if (!entry.code.empty()) row(entry, "Unknown Product");
    }
    if (listed) doc.style() = "U";
    CellsRow(doc,
             {{0, "V00"},
              {1, "L02Total Sales"},
              {6, "V51"},
              {7, "R63" + amount(total.value())},
              {8, "V65"}},
             "U");
  };
  SpanWalk walk(context, kInvoicesByDate, from, to);
  const int status = RunReport(context, walk, steps);
  return status != 0 ? status : finishStatus;
}

}  // namespace vt::reports
