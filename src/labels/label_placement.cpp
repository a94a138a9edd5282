#include "labels/label_placement.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "base/text1252.h"

namespace vt::labels {

using data::LabelDim;

namespace {

// The captions of the dimensions, as the stock editor shows them.
constexpr const char* kDimensionNames[LabelDim::Count] = {
    "Top Margin", "Left Margin", "Bottom Margin",  "Right Margin",
    "Width",      "Height",      "Horizontal Gap", "Vertical Gap"};

std::string refusal(const data::LabelRecord& stock, const std::string& reason) {
  return "The label stock \"" + base::trimRight(stock.Name) + "\" cannot be printed: " + reason +
         ". Choose Setup - Labels to correct it.";
}

std::string points(double value) {
  return std::to_string(static_cast<long>(value)) + " points";
}

// The width of a row of labels from the paper's left edge.
double rowWidth(const data::LabelRecord& stock) {
  const auto& d = stock.Dims;
  return d[LabelDim::LeftM] + stock.NAcross * d[LabelDim::Width] +
         (stock.NAcross - 1) * d[LabelDim::HGap];
}

// Lowers the device's font size while `tooBig` holds, down to the smallest
// size.
template <typename TooBig>
void shrinkWhile(LabelDevice& device, TooBig tooBig) {
  while (device.fontSize() > kSmallestFontPoints && tooBig()) {
    device.setFontSize(device.fontSize() - 1);
  }
}

}  // namespace

int PointsToUnits(int dpi, double points) {
  return static_cast<int>(std::trunc(dpi * points * (1.0 / 72.0)));
}

PageMetrics MeasurePage(const data::LabelRecord& stock, LabelDevice& device) {
  const auto across = [&](LabelDim::Index i) {
    return PointsToUnits(device.dpiX(), stock.Dims[i]);
  };
  const auto down = [&](LabelDim::Index i) { return PointsToUnits(device.dpiY(), stock.Dims[i]); };
  PageMetrics m;
  m.top = down(LabelDim::TopM);
  m.bottom = down(LabelDim::BottomM);
  m.height = down(LabelDim::Height);
  m.vGap = down(LabelDim::VGap);
  m.left = across(LabelDim::LeftM);
  m.right = across(LabelDim::RightM);
  m.width = across(LabelDim::Width);
  m.hGap = across(LabelDim::HGap);

  // The margins are taken from the paper's edges; the device draws from the
  // printable area's.
  const DeviceSize offset = device.printingOffset();
  const DeviceSize paper = device.physicalSize();
  const DeviceSize page = device.printableSize();
  m.top = std::max(0, m.top - offset.height);
  m.left = std::max(0, m.left - offset.width);
  m.bottom = std::max(0, m.bottom - (paper.height - offset.height - page.height));
  m.right = std::max(0, m.right - (paper.width - offset.width - page.width));

  // Five lines of 25 characters to a label.
  shrinkWhile(device, [&] { return kLabelLines * device.textWidth("Abcde") > m.width; });
  shrinkWhile(device, [&] { return kLabelLines * device.textHeight("A") > m.height; });
  m.fontSize = device.fontSize();
  m.lineHeight = device.textHeight("A");

  m.rowsPerPage = RowsFitting(page.height - m.top - m.bottom, m.height, m.vGap);
  return m;
}

int RowsFitting(double avail, double height, double vGap) {
  const double pitch = height + vGap;
  if (height <= 0 || pitch <= 0 || avail < height) return 0;
  auto rows = static_cast<int>(avail / pitch);
  if (avail >= rows * pitch + height) ++rows;
  return rows;
}

std::string StockProblem(const data::LabelRecord& stock, PaperSize paper) {
  const auto& d = stock.Dims;
  if (stock.NAcross < 1) return refusal(stock, "it has no labels across");
  for (size_t i = 0; i < LabelDim::Count; ++i) {
    if (d[i] < 0) return refusal(stock, std::string("its ") + kDimensionNames[i] + " is below 0");
  }
  if (d[LabelDim::Width] <= 0) return refusal(stock, "its Width is 0");
  if (d[LabelDim::Height] <= 0) return refusal(stock, "its Height is 0");
  const std::string pageWidth = " are wider than the page (" + points(paper.width) + ")";
  if (d[LabelDim::LeftM] + d[LabelDim::RightM] >= paper.width)
    return refusal(stock, "its Left Margin and Right Margin" + pageWidth);
  if (rowWidth(stock) > paper.width)
    return refusal(stock, "its Left Margin and " + std::to_string(stock.NAcross) +
                              " labels across (Width and Horizontal Gap)" + pageWidth);
  if (RowsFitting(paper.height - d[LabelDim::TopM] - d[LabelDim::BottomM], d[LabelDim::Height],
                  d[LabelDim::VGap]) < 1)
    return refusal(stock,
                   "its Height with the Top Margin and Bottom Margin is taller than the page (" +
                       points(paper.height) + ")");
  return {};
}

int RowsPerForm(const data::LabelRecord& stock, PaperSize paper) {
  const auto& d = stock.Dims;
  return std::max(1, RowsFitting(paper.height - d[LabelDim::TopM] - d[LabelDim::BottomM],
                                 d[LabelDim::Height], d[LabelDim::VGap]));
}

LabelRun::LabelRun(const data::LabelRecord& stock, int startColumn, int startRow,
                   LabelDevice& device)
    : stock_(stock),
      device_(device),
      column_(std::clamp(startColumn, 1, std::max(1, stock.NAcross))),
      row_(std::max(1, startRow)),
      cells_(static_cast<size_t>(std::max(1, stock.NAcross))) {}

void LabelRun::Add(const std::vector<std::string>& lines) {
  auto& cell = cells_[static_cast<size_t>(column_ - 1)];
  for (size_t i = 0; i < cell.size(); ++i) cell[i] = i < lines.size() ? lines[i] : std::string();
  printedAny_ = true;
  ++added_;
  if (column_ < static_cast<int>(cells_.size())) {
    ++column_;
    pending_ = true;
    return;
  }
  printRow();
  clearRow();
  column_ = 1;
  ++row_;
  pending_ = false;
}

void LabelRun::Finish() {
  if (pending_) printRow();
  pending_ = false;
  if (measured_) device_.endDocument();
}

void LabelRun::measure() {
  device_.beginDocument();
  metrics_ = MeasurePage(stock_, device_);
  const int across = static_cast<int>(cells_.size());
  const int right = metrics_.left + across * metrics_.width + (across - 1) * metrics_.hGap;
  if (right > device_.printableSize().width)
    throw std::runtime_error(refusal(
        stock_,
        "its Left Margin and labels across are wider than the printable width of the page"));
  if (metrics_.rowsPerPage < 1)
    throw std::runtime_error(refusal(stock_,
                                     "its Height with the Top Margin and Bottom Margin is taller "
                                     "than the printable height of the page"));
  measured_ = true;
}

void LabelRun::printRow() {
  if (!measured_) measure();
  if (row_ > metrics_.rowsPerPage) {
    row_ = 1;
    device_.newPage();
  }
  int y = (row_ - 1) * (metrics_.height + metrics_.vGap) + metrics_.top;
  for (size_t line = 0; line < kLabelLines; ++line) {
    for (size_t j = 0; j < cells_.size(); ++j) {
      const std::string& text = cells_[j][line];
      const int x = static_cast<int>(j) * (metrics_.width + metrics_.hGap) + metrics_.left;
      if (!text.empty()) device_.drawText(x, y, text);
    }
    y += metrics_.lineHeight;
  }
}

void LabelRun::clearRow() {
  for (auto& cell : cells_) cell.fill(std::string());
}

}  // namespace vt::labels
