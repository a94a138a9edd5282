// The record buffers: one per table, one member per field, named after the
// field. The Load routines fill them from the current record, the Store
// routines write them back. Texts are UTF-8 (the tables hold Windows-1252)
// and keep the blank padding of the field as read; readers trim.
#pragma once

#include <array>
#include <string>

#include "base/convert.h"

namespace vt::data {

// CUST5: one customer.
struct CustomerRecord {
  int cuno = 0;
  std::string title, first, last;
  std::string addr1, addr2, addr3, addr4, zip;
  std::string comments;  // memo
  int ngroup = 0;
  std::string note, phone, fax, email;
};

// GROUPS: one customer group.
struct GroupRecord {
  int nGroup = 0;
  std::string cGroup;
};

// INV5: one invoice header.
struct InvoiceRecord {
  int IvNo = 0;
  int CuNo = 0;
  std::string Dept;
  base::DateTime IDate;
  std::string IMemo;
  double Ship = 0;  // computed tax 1
  double Tax = 0;   // computed tax 2
  double Due = 0;
  std::string REM;  // memo
};

// ITM5: one line item. lBuild and BackOrder are always stored "F" and 0.
struct ItemRecord {
  int IvNo = 0;
  std::string PrID;
  double Qty = 0;
  double UPR = 0;
  bool LTax1 = false;
  bool LTax2 = false;
  std::string PDesc, IComm;
};

// The eight numeric fields of a label stock, as one array in this order.
struct LabelDim {
  enum Index : size_t { TopM, LeftM, BottomM, RightM, Width, Height, HGap, VGap, Count };
};

// LABELS: one label stock (dimensions in printer points).
struct LabelRecord {
  std::string Name;
  std::array<double, LabelDim::Count> Dims{};  // indexed by LabelDim
  int NAcross = 0;
  bool Continuous = false;
};

// PMT: one payment.
struct PaymentRecord {
  int IvNo = 0;
  base::DateTime PDate;
  double PAmt = 0;
};

// Prod5: one product or service. lBuild is always stored "F"; REORDER and
// ONHAND are carried through every load and store.
struct ProductRecord {
  std::string PrID, RCode, PDesc;
  double UPrice = 0;
  bool LTax1 = false;
  bool LTax2 = false;
  bool lInven = false;
  std::string IComm;
  std::string PMemo;  // memo
  double REORDER = 0;
  double ONHAND = 0;
};

// Pur5: one inventory purchase. PURNo is carried unchanged.
struct PurchaseRecord {
  std::string PURProd;
  base::DateTime PURDate;
  double PURQty = 0;
  double PURCost = 0;
  int PURNo = 0;
};

// Texts are cut to this many characters before they are stored.
constexpr size_t kMaxStoredText = 59;
// A memo holds at most this many characters; longer text is cut.
constexpr size_t kMaxMemoText = 32000;

}  // namespace vt::data
