#include "labels/label_placement.h"

#include <algorithm>
#include <cmath>

#include "base/text1252.h"

namespace vt::labels {

using data::LabelDim;

namespace {

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

  // The last row needs no gap below it.
  const int avail = page.height - m.top - m.bottom;
  const int pitch = m.height + m.vGap;
  if (pitch > 0) {
    m.rowsPerPage = avail / pitch;
    if (avail >= m.rowsPerPage * pitch + m.height) ++m.rowsPerPage;
  }
  return m;
}

std::string StockProblem(const data::LabelRecord& stock) {
  if (stock.NAcross >= 1) return {};
  return "The label stock \"" + base::trimRight(stock.Name) +
         "\" has no labels across. Choose Setup - Labels to set the number of labels across.";
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

void LabelRun::printRow() {
  if (!measured_) {
    device_.beginDocument();
    measured_ = true;
    metrics_ = MeasurePage(stock_, device_);
  }
  if (!stock_.Continuous && row_ > metrics_.rowsPerPage) {
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
