#include "data/record_bindings.h"

namespace vt::data {

using namespace binding;

const std::vector<Binding<CustomerRecord>>& CustomerBindings() {
  using R = CustomerRecord;
  static const std::vector<Binding<R>> list = {
      Long("cuno", &R::cuno),         Text("title", &R::title),  Text("first", &R::first),
      Text("last", &R::last),         Text("addr1", &R::addr1),  Text("addr2", &R::addr2),
      Text("addr3", &R::addr3),       Text("addr4", &R::addr4),  Text("zip", &R::zip),
      Memo("comments", &R::comments), Int("ngroup", &R::ngroup), Text("note", &R::note),
      Text("phone", &R::phone),       Text("fax", &R::fax),      Text("email", &R::email)};
  return list;
}

const std::vector<Binding<GroupRecord>>& GroupBindings() {
  using R = GroupRecord;
  static const std::vector<Binding<R>> list = {Int("nGroup", &R::nGroup),
                                               Text("cGroup", &R::cGroup)};
  return list;
}

const std::vector<Binding<InvoiceRecord>>& InvoiceBindings() {
  using R = InvoiceRecord;
  static const std::vector<Binding<R>> list = {
      Long("IvNo", &R::IvNo),   Long("CuNo", &R::CuNo),   Text("Dept", &R::Dept),
      Date("IDate", &R::IDate), Text("IMemo", &R::IMemo), Double("Ship", &R::Ship),
      Double("Tax", &R::Tax),   Double("Due", &R::Due),   Memo("REM", &R::REM)};
  return list;
}

const std::vector<Binding<ItemRecord>>& ItemBindings() {
  using R = ItemRecord;
  static const std::vector<Binding<R>> list = {
      Long("IvNo", &R::IvNo),          Text("PrID", &R::PrID),
      Double("Qty", &R::Qty),          Double("UPR", &R::UPR),
      Logical("LTax1", &R::LTax1),     Logical("LTax2", &R::LTax2),
      Text("PDesc", &R::PDesc),        Text("IComm", &R::IComm),
      Constant<R>("lBuild", 'L', "F"), Constant<R>("BackOrder", 'N', "0")};
  return list;
}

const std::vector<Binding<LabelRecord>>& LabelBindings() {
  using R = LabelRecord;
  static const std::vector<Binding<R>> list = {Text("Name", &R::Name),
                                               DoubleAt("TopM", &R::Dims, LabelDim::TopM),
                                               DoubleAt("LeftM", &R::Dims, LabelDim::LeftM),
                                               DoubleAt("BottomM", &R::Dims, LabelDim::BottomM),
                                               DoubleAt("RightM", &R::Dims, LabelDim::RightM),
                                               DoubleAt("Width", &R::Dims, LabelDim::Width),
                                               DoubleAt("Height", &R::Dims, LabelDim::Height),
                                               DoubleAt("HGap", &R::Dims, LabelDim::HGap),
                                               DoubleAt("VGap", &R::Dims, LabelDim::VGap),
                                               Int("NAcross", &R::NAcross),
                                               Logical("Continuous", &R::Continuous)};
  return list;
}

const std::vector<Binding<PaymentRecord>>& PaymentBindings() {
  using R = PaymentRecord;
  static const std::vector<Binding<R>> list = {Long("IvNo", &R::IvNo), Date("PDate", &R::PDate),
                                               Double("PAmt", &R::PAmt)};
  return list;
}

const std::vector<Binding<ProductRecord>>& ProductBindings() {
  using R = ProductRecord;
  static const std::vector<Binding<R>> list = {
      Text("PrID", &R::PrID),        Text("RCode", &R::RCode),
      Text("PDesc", &R::PDesc),      Double("UPrice", &R::UPrice),
      Logical("LTax1", &R::LTax1),   Logical("LTax2", &R::LTax2),
      Logical("lInven", &R::lInven), Text("IComm", &R::IComm),
      Memo("PMemo", &R::PMemo),      Double("REORDER", &R::REORDER),
      Double("ONHAND", &R::ONHAND),  Constant<R>("lBuild", 'L', "F")};
  return list;
}

const std::vector<Binding<PurchaseRecord>>& PurchaseBindings() {
  using R = PurchaseRecord;
  static const std::vector<Binding<R>> list = {
      Text("PURProd", &R::PURProd), Date("PURDate", &R::PURDate), Double("PURQty", &R::PURQty),
      Double("PURCost", &R::PURCost), Long("PURNo", &R::PURNo)};
  return list;
}

const std::vector<Binding<Settings>>& SettingsBindings() {
  using R = Settings;
  static const std::vector<Binding<R>> list = {
      Text("FontName", &R::FontName),     Int("FontSize", &R::FontSize),
      Text("LabID", &R::LabID),           Text("Company", &R::Company),
      Text("Addr1", &R::Addr1),           Text("Addr2", &R::Addr2),
      Text("Addr3", &R::Addr3),           Text("Addr4", &R::Addr4),
      Text("CloLine", &R::CloLine),       Text("SigLine", &R::SigLine),
      Text("LogoFile", &R::LogoFile),     Double("LogoHeight", &R::LogoHeight),
      Double("LogoWidth", &R::LogoWidth), Int("LHJustify", &R::LHJustify),
      Double("TopMargin", &R::TopMargin), Text("ShipLine", &R::ShipLine),
      Text("TaxLine", &R::TaxLine),       Double("TaxRate1", &R::TaxRate1),
      Double("TaxRate2", &R::TaxRate2),   Int("ShipTax", &R::ShipTax),
      Int("TaxRound", &R::TaxRound),      Logical("ByCust", &R::ByCust),
      Logical("fifo", &R::fifo)};
  return list;
}

}  // namespace vt::data
