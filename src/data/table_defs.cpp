#include "data/table_defs.h"

#include <algorithm>

namespace vt::data {
namespace {

FieldDef C(const char* name, int width) {
  return {name, 'C', width, 0};
}
FieldDef N(const char* name, int width, int decimals) {
  return {name, 'N', width, decimals};
}
FieldDef D(const char* name) {
  return {name, 'D', 8, 0};
}
FieldDef L(const char* name) {
  return {name, 'L', 1, 0};
}
FieldDef M(const char* name) {
  return {name, 'M', 10, 0};
}

// Widths shared between tables: a product ID, description and comment are
// copied into line items and purchases as they are.
constexpr int kPrId = 10;
constexpr int kPDesc = 27;
constexpr int kIComm = 27;
// Money and quantities: 9 integer digits, or 8 and a sign.
constexpr int kAmount = 12;
// Settings texts the stationary setup writes (cut to 59 on store).
constexpr int kSettingText = 59;
constexpr int kLabelMeasure = 8;  // 4 integer digits, 3 decimals, a sign

TableDef customers() {
  return {"CUST5",
          {N("cuno", 6, 0), C("title", 3), C("first", 13), C("last", 20), C("addr1", 34),
           C("addr2", 34), C("addr3", 34), C("addr4", 19), C("zip", 10), M("comments"),
           N("ngroup", 2, 0), C("note", 34), C("phone", 20), C("fax", 20), C("email", 60)},
          true,
          "CUST5",
          {{"CName", "cName", "Upper(Last + First)"},
           {"CCNO", "ccno", "Str(CuNo, 6)"},
           {"CZip", "czip", "Zip"},
           {"cComp", "ccomp", "Addr1"}},
          "cname",
          25};
}

TableDef groups() {
  return {"GROUPS",
          {N("nGroup", 2, 0), C("cGroup", 30)},
          false,
          "GROUPS",
          {{"NGroup", "nGroup", "Str(nGroup, 2)"}, {"CGroup", "cGroup", "Upper(cGroup)"}},
          "nGroup",
          30};
}

TableDef products() {
  return {"Prod5",
          {C("PrID", kPrId), C("RCode", 10), C("PDesc", kPDesc), N("UPrice", kAmount, 2),
           L("LTax1"), L("LTax2"), L("lInven"), C("IComm", kIComm), M("PMemo"),
           N("REORDER", kAmount, 2), N("ONHAND", kAmount, 2), L("lBuild")},
          true,
          "Prod5",
          {{"Prod", "Prod", "Upper(PrID)"}},
          "Prod",
          35};
}

TableDef purchases() {
  return {"Pur5",
          {C("PURProd", kPrId), D("PURDate"), N("PURQty", kAmount, 2), N("PURCost", 13, 2),
           N("PURNo", 6, 0)},
          false,
          "Pur5",
          {{"Pur", "Pur", "Upper(PurProd)+ DTOS(PURDATE)"}},
          "Pur",
          40};
}

TableDef invoices() {
  return {"INV5",
          {N("IvNo", 6, 0), N("CuNo", 6, 0), C("Dept", 20), D("IDate"), C("IMemo", 30),
           N("Ship", kAmount, 2), N("Tax", kAmount, 2), N("Due", kAmount, 2), M("REM")},
          true,
          "INV5",
          {{"Inv", "inv", "Str(IvNo,6,0)"},
           {"InvC", "invc", "Str(CuNo,6,0)"},
           {"InvD", "invd", "DTOS(IDate)"}},
          "Inv",
          60};
}

TableDef items() {
  return {
      "ITM5",
      {N("IvNo", 6, 0), C("PrID", kPrId), N("Qty", kAmount, 2), N("UPR", kAmount, 2), L("LTax1"),
       L("LTax2"), C("PDesc", kPDesc), C("IComm", kIComm), L("lBuild"), N("BackOrder", kAmount, 2)},
      false,
      "ITM5",
      {{"Itm", "itm", "Str(IvNo,6,0)"}, {"ItmP", "itmP", "PrID + Str(IvNo,6,0)"}},
      "Itm",
      80};
}

TableDef payments() {
  return {"PMT",
          {N("IvNo", 6, 0), D("PDate"), N("PAmt", kAmount, 2)},
          false,
          "PMT",
          {{"Pmt", "Pmt", "Str(IvNo,6,0)"}, {"PmtD", "PmtD", "DTOS(PDate)"}},
          "Pmt",
          100};
}

TableDef labels() {
  const int w = kLabelMeasure;
  return {"LABELS",
          {C("Name", 40), N("TopM", w, 3), N("LeftM", w, 3), N("BottomM", w, 3), N("RightM", w, 3),
           N("Width", w, 3), N("Height", w, 3), N("HGap", w, 3), N("VGap", w, 3),
           N("NAcross", 1, 0), L("Continuous")},
          false,
          "LABELS",
          {{"Labels", "Labels", "Name"}},
          "Labels",
          100};
}

TableDef settings() {
  const int t = kSettingText;
  return {"VTR1",
          {C("FontName", 40),
           N("FontSize", 3, 0),
           C("LabID", t),
           C("Company", t),
           C("Addr1", t),
           C("Addr2", t),
           C("Addr3", t),
           C("Addr4", t),
           C("CloLine", t),
           C("SigLine", t),
           C("LogoFile", t),
           N("LogoHeight", 8, 3),
           N("LogoWidth", 8, 3),
           N("LHJustify", 1, 0),
           N("TopMargin", 8, 3),
           C("ShipLine", 20),
           C("TaxLine", 20),
           N("TaxRate1", 5, 2),
           N("TaxRate2", 5, 2),
           N("ShipTax", 1, 0),
           N("TaxRound", 1, 0),
           L("ByCust"),
           L("fifo")},
          false,
          "",
          {},
          "",
          0};
}

}  // namespace

std::string lowerName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lowerName(a) == lowerName(b);
}

std::vector<std::string> TableDef::indexFiles() const {
  std::vector<std::string> files;
  for (const TagDef& tag : tags) files.push_back(tag.file + ".ntx");
  if (!group.empty()) files.push_back(group + ".cgp");
  return files;
}

std::string TableDef::upperDbfName() const {
  std::string out = name + ".DBF";
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::vector<engine::FieldDesc> TableDef::fieldDescs() const {
  std::vector<engine::FieldDesc> descs;
  for (const FieldDef& f : fields) {
    engine::FieldDesc d;
    d.name = f.name;
    d.type = f.type;
    d.length = static_cast<uint8_t>(f.width);
    d.decimals = static_cast<uint8_t>(f.decimals);
    descs.push_back(d);
  }
  return descs;
}

std::vector<engine::TagSpec> TableDef::tagSpecs() const {
  std::vector<engine::TagSpec> specs;
  for (const TagDef& tag : tags) specs.push_back({tag.file, tag.expression});
  return specs;
}

const TagDef* TableDef::findTag(std::string_view nameOrFile) const {
  auto it = std::find_if(tags.begin(), tags.end(), [&](const TagDef& t) {
    return sameName(t.name, nameOrFile) || sameName(t.file, nameOrFile);
  });
  return it == tags.end() ? nullptr : &*it;
}

int FieldWidth(std::string_view table, std::string_view field) {
  const TableDef* def = findTableDef(table);
  if (!def) return 0;
  auto it = std::find_if(def->fields.begin(), def->fields.end(),
                         [&](const FieldDef& f) { return sameName(f.name, field); });
  return it == def->fields.end() ? 0 : it->width;
}

const std::vector<TableDef>& tableDefs() {
  static const std::vector<TableDef> defs = {customers(), groups(),   products(),
                                             purchases(), invoices(), items(),
                                             payments(),  labels(),   settings()};
  return defs;
}

const TableDef* findTableDef(std::string_view name) {
  for (const TableDef& def : tableDefs()) {
    if (sameName(def.name, name)) return &def;
  }
  return nullptr;
}

}  // namespace vt::data
