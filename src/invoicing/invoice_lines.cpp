#include "invoicing/invoice_lines.h"

#include "base/convert.h"

namespace vt::invoicing {

namespace {

// Whether the current record is one of the invoice's.
bool ofInvoice(engine::Table& table, engine::Result at, int ivNo) {
  return at == engine::Result::Success && table.field("IvNo")->asLong() == ivNo;
}

// Moves past the invoice's records marked deleted (a removal whose pack could
// not run): whether the current record is then a live one of the invoice.
bool atLiveLine(engine::Table& table, engine::Result& at, int ivNo, int& status) {
  while (ofInvoice(table, at, ivNo) && table.deleted()) {
    at = table.skip(1);
    if ((status = table.engine().errorCode()) < 0) return false;
  }
  return ofInvoice(table, at, ivNo);
}

// Marks the current (blank) record deleted, as far as the engine lets it.
void dropBlank(engine::Table& table, LinesRewritten& out) {
  table.deleteRecord();
  if (table.flush() == 0) ++out.deleted;
  table.engine().errorCode();
}

}  // namespace

LinesRewritten RewriteInvoiceLines(engine::Table& table, const char* tagName, int ivNo,
                                   size_t count, const std::function<int(size_t)>& store) {
  LinesRewritten out;
  engine::Engine& engine = table.engine();
  engine.errorCode();
  engine::Tag* byInvoice = table.tag(tagName);
  if (!byInvoice) {
    out.status = engine::kErrTag;
    return out;
  }
  table.selectTag(byInvoice);
  engine::Result at = table.seek(base::PadNumber(ivNo, 6));
  if ((out.status = engine.errorCode()) < 0) return out;
  bool overwrite = atLiveLine(table, at, ivNo, out.status);
  if (out.status < 0) return out;
  for (size_t i = 0; i < count; ++i) {
    if (!overwrite && (out.status = table.appendBlank()) < 0) return out;
    if ((out.status = store(i)) < 0) {
      // A blank record just appended would belong to no invoice.
      if (!overwrite) dropBlank(table, out);
      return out;
    }
    if (overwrite) {
      at = table.skip(1);
      if ((out.status = engine.errorCode()) < 0) return out;
      overwrite = atLiveLine(table, at, ivNo, out.status);
      if (out.status < 0) return out;
    }
  }
  while (overwrite) {
    table.deleteRecord();
    ++out.deleted;
    at = table.skip(1);
    if ((out.status = engine.errorCode()) < 0) return out;
    overwrite = atLiveLine(table, at, ivNo, out.status);
  }
  return out;
}

}  // namespace vt::invoicing
