// The sample business's settings (letterhead and sales tax) and its two
// label stocks.
#include "engine/status.h"
#include "tool/demo_sample.h"

namespace vt::tool::demo {
namespace {

void setLetterhead(data::Settings& s) {
  s.Company = "Lakeside Office & Computer Supply";
  s.Addr1 = "1420 Commerce Drive, Suite 200";
  s.Addr2 = "Springfield, IL 62704";
  s.Addr3 = "Phone (217) 555-0100  Fax (217) 555-0101";
  s.Addr4 = "orders@lakeside-office.example.com";
  s.CloLine = "Thank you for your business!";
  s.SigLine = "Accounts Receivable";
  s.LHJustify = 1;
  s.TopMargin = 0.5;
}

// Tax 1 is the shipping charge, not charged in the sample; Tax 2 is the
// sales tax on the flagged lines, not charged on shipping, rounded to the
// nearest cent.
void setTaxes(data::Settings& s) {
  s.ShipLine = "Shipping";
  s.TaxLine = "Sales Tax";
  s.TaxRate1 = 0;
  s.TaxRate2 = 7.25;
  s.ShipTax = 1;
  s.TaxRound = 1;
}

data::LabelRecord label(const char* name, std::array<double, data::LabelDim::Count> dims,
                        int across, bool continuous) {
  data::LabelRecord stock;
  stock.Name = name;
  stock.Dims = dims;
  stock.NAcross = across;
  stock.Continuous = continuous;
  return stock;
}

// Dimensions in points: top, left, bottom and right margins, label width
// and height, horizontal and vertical gap.
const std::vector<data::LabelRecord>& labelStocks() {
  static const std::vector<data::LabelRecord> stocks = {
      // Letter sheet, 3 x 10 labels of 2-5/8 x 1 in.
      label("Avery 5160 (3 across)", {36, 13.5, 36, 13.5, 189, 72, 9, 0}, 3, false),
      // Pin-feed roll of 3-1/2 x 15/16 in. labels, 1/16 in. apart.
      label("Continuous 3-1/2 x 15/16 (1 across)", {0, 18, 0, 18, 252, 67.5, 0, 4.5}, 1, true)};
  return stocks;
}

}  // namespace

int WriteSettings(data::DataSession& session, Sample& /*sample*/) {
  if (!session.OpenSettings()) return engine::kErrOpen;
  int status = session.ReadSettings();
  if (status == 0) {
    setLetterhead(session.settings);
    setTaxes(session.settings);
    session.settings.LabID = labelStocks().front().Name;
    session.settings.fifo = true;
    status = session.WriteSettings();
  }
  session.CloseSettings();
  return status;
}

int WriteLabelStocks(data::DataSession& session, Sample& sample) {
  for (const data::LabelRecord& stock : labelStocks()) {
    session.Label = stock;
    const int status = AppendRecord(session.labels(), session, &data::DataSession::StoreLabel);
    if (status < 0) return status;
    ++sample.labels;
  }
  return 0;
}

}  // namespace vt::tool::demo
