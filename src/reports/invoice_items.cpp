#include "reports/invoice_items.h"

#include "base/convert.h"
#include "data/live_records.h"

namespace vt::reports {

using engine::Result;

int ForEachInvoiceItem(data::DataSession& session, int ivNo,
                       const std::function<int(const data::ItemRecord&)>& visit) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* items = session.items();
  if (!items) return engine::kErrOpen;
  engine::Tag* byInvoice = items->tag("Itm");
  if (!byInvoice) return engine::kErrTag;
  items->selectTag(byInvoice);
  for (Result at = data::LiveSeek(*items, base::PadNumber(ivNo, 6));
       at == Result::Success || at == Result::After; at = data::LiveNext(*items)) {
    if (const int status = session.LoadItem(); status < 0) return status;
    if (session.Item.IvNo != ivNo) break;
    const data::ItemRecord item = session.Item;
    if (const int status = visit(item); status < 0) return status;
  }
  return engine.errorCode();
}

}  // namespace vt::reports
