#include "data/import_convert.h"

#include "base/text1252.h"

namespace vt::data {

namespace {

void fillProduct(const OlderTable& from, DataSession& s) {
  ProductRecord& p = s.Product;
  p = ProductRecord{};
  p.PrID = from.text("Prid");
  p.RCode = from.text("RCode");
  p.PDesc = from.text("PDesc");
  p.UPrice = from.number("UPrice");
  p.LTax1 = from.logical("LTax1");
  p.LTax2 = from.logical("LTax2");
  p.IComm = from.text("IComm");
  p.PMemo = from.memo("PMemo");
}

void fillCustomer(const OlderTable& from, DataSession& s) {
  CustomerRecord& c = s.Customer;
  c = CustomerRecord{};
  c.cuno = from.integer("CuNo");
  c.ngroup = from.integer("NGroup");
  c.title = from.text("Title");
  c.first = from.text("First");
  c.last = from.text("Last");
  c.addr1 = from.text("Addr1");
  c.addr2 = from.text("Addr2");
  c.addr3 = from.text("Addr3");
  c.addr4 = from.text("Addr4");
  c.zip = from.text("Zip");
  c.comments = from.memo("Comments");
  c.note = from.text("Note");
}

void fillInvoice(const OlderTable& from, DataSession& s) {
  InvoiceRecord& inv = s.Invoice;
  inv = InvoiceRecord{};
  inv.IvNo = from.integer("IvNo");
  inv.CuNo = from.integer("CuNo");
  const base::DateTime today = s.now();
  // An invoice without a date is dated the day it is taken over, so that
  // date spans find it.
  const std::optional<base::DateTime> date = from.date("IDate");
  inv.IDate = date ? base::FixCentury(*date, today.year)
                   : base::MakeDate(today.year, today.month, today.day);
  inv.IMemo = from.text("IMemo");
  inv.REM = base::trim(from.memo("REM"));
  inv.Ship = from.number("Ship");
  inv.Tax = from.number("Tax");
  inv.Due = from.number("Due");
}

void fillItem(const OlderTable& from, DataSession& s) {
  ItemRecord& item = s.Item;
  item = ItemRecord{};
  item.IvNo = from.integer("IvNo");
  item.PrID = from.text("Prid");
  item.IComm = from.text("IComm");
  item.Qty = from.number("Qty");
  item.UPR = from.number("UPR");
  item.LTax1 = from.logical("LTax1");
  item.LTax2 = from.logical("LTax2");
}

}  // namespace

const std::vector<ConvertStep>& ConvertSteps() {
  static const std::vector<ConvertStep> kSteps = {
      {"Prod4",
       {"Prid", "RCode", "PDesc", "UPrice", "LTax1", "LTax2", "IComm", "PMemo"},
       TableId::Products,
       &DataSession::OpenProducts,
       fillProduct,
       &DataSession::StoreProduct,
       20,
       5},
      {"cust2",
       {"CuNo", "NGroup", "Title", "First", "Last", "Addr1", "Addr2", "Addr3", "Addr4", "Zip",
        "Comments", "Note"},
       TableId::Customers,
       &DataSession::OpenCustomers,
       fillCustomer,
       &DataSession::StoreCustomer,
       25,
       25},
      {"inv",
       {"IvNo", "CuNo", "IDate", "IMemo", "REM", "Ship", "Tax", "Due"},
       TableId::Invoices,
       &DataSession::OpenInvoices,
       fillInvoice,
       &DataSession::StoreInvoice,
       50,
       25},
      {"itm4",
       {"IvNo", "Prid", "IComm", "Qty", "UPR", "LTax1", "LTax2"},
       TableId::Items,
       &DataSession::OpenItems,
       fillItem,
       &DataSession::StoreItem,
       75,
       25},
  };
  return kSteps;
}

}  // namespace vt::data
