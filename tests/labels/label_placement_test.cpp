// Label placement on a device that records what it is asked: where each
// label's first line lands, when pages begin, and the page metrics.
#include "labels/label_placement.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vt::labels {
namespace {

// Text is `size` units wide per character and 2 x `size` high.
class FakeDevice : public LabelDevice {
 public:
  int dpi = 72;
  DeviceSize offset, paper{612, 792}, page{612, 792};
  int size = 12;
  std::vector<std::string> events;

  void beginDocument() override { events.push_back("begin"); }
  void newPage() override { events.push_back("page"); }
  void endDocument() override { events.push_back("end"); }
  int dpiX() const override { return dpi; }
  int dpiY() const override { return dpi; }
  DeviceSize printingOffset() const override { return offset; }
  DeviceSize physicalSize() const override { return paper; }
  DeviceSize printableSize() const override { return page; }
  int fontSize() const override { return size; }
  void setFontSize(int points) override { size = points; }
  int textWidth(const std::string& text) const override {
    return size * static_cast<int>(text.size());
  }
  int textHeight(const std::string&) const override { return 2 * size; }
  // Only the first line of a label is recorded.
  void drawText(int x, int y, const std::string& text) override {
    if (text.front() == 'L')
      events.push_back(text + "@" + std::to_string(x) + "," + std::to_string(y));
  }
};

data::LabelRecord stock(int across, double width, double height, bool continuous = false) {
  data::LabelRecord s;
  s.Name = "Test";
  s.NAcross = across;
  s.Continuous = continuous;
  s.Dims[data::LabelDim::Width] = width;
  s.Dims[data::LabelDim::Height] = height;
  return s;
}

std::vector<std::string> labelsAt(const data::LabelRecord& s, int column, int row, int count,
                                  FakeDevice& device) {
  LabelRun run(s, column, row, device);
  for (int i = 1; i <= count; ++i) run.Add({"L" + std::to_string(i), "street", "town"});
  run.Finish();
  return device.events;
}

TEST(LabelPlacement, LabelsLandInTheirColumnsAndRows) {
  // 72 dpi: points are device units; labels 200 x 72 on a 792-high page.
  struct Case {
    const char* name;
    data::LabelRecord stock;
    int column, row, count;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"column 3 of row 2, then row 3",
       stock(3, 200, 72),
       3,
       2,
       2,
       {"begin", "L1@400,72", "L2@0,144", "end"}},
      {"four on three across",
       stock(3, 200, 72),
       1,
       1,
       4,
       {"begin", "L1@0,0", "L2@200,0", "L3@400,0", "L4@0,72", "end"}},
      {"a column past the stock kept to its last",
       stock(3, 200, 72),
       7,
       1,
       1,
       {"begin", "L1@400,0", "end"}},
      {"a row past the page starts a new one",
       stock(1, 200, 72),
       1,
       12,
       1,
       {"begin", "page", "L1@0,0", "end"}},
      {"a row past a continuous form starts the next form",
       stock(1, 200, 72, true),
       1,
       12,
       1,
       {"begin", "page", "L1@0,0", "end"}},
      {"nothing added begins nothing", stock(3, 200, 72), 1, 1, 0, {}},
  };
  for (const Case& c : cases) {
    FakeDevice device;
    EXPECT_EQ(labelsAt(c.stock, c.column, c.row, c.count, device), c.events) << c.name;
  }
}

TEST(LabelPlacement, PageMetricsFollowThePrinter) {
  struct Case {
    const char* name;
    int dpi;
    double top, height, vGap, width;
    DeviceSize offset, page;
    int wantTop, wantRows, wantFont;
  };
  const Case cases[] = {
      {"top margin less the unprintable strip",
       300,
       36,
       72,
       0,
       300,
       {50, 50},
       {2400, 3000},
       100,
       9,
       12},
      {"ten rows fill ten inches exactly", 300, 0, 72, 0, 300, {0, 0}, {2400, 3000}, 0, 10, 12},
      {"the last row needs no gap", 72, 0, 72, 18, 300, {0, 0}, {612, 702}, 0, 8, 7},
      {"a margin inside the strip is 0", 72, 10, 72, 0, 300, {20, 20}, {572, 720}, 0, 10, 7},
      // 5 x 5 characters fit 200 units at size 8; 5 lines of 2 x 7 fit 72.
      {"the font shrinks to fit", 72, 0, 72, 0, 200, {0, 0}, {612, 792}, 0, 11, 7},
      {"the font stops at its smallest size", 72, 0, 1, 0, 1, {0, 0}, {612, 792}, 0, 792, 4},
  };
  for (const Case& c : cases) {
    FakeDevice device;
    device.dpi = c.dpi;
    device.offset = c.offset;
    device.page = c.page;
    device.paper = {c.page.width + 2 * c.offset.width, c.page.height + 2 * c.offset.height};
    data::LabelRecord s = stock(1, c.width, c.height);
    s.Dims[data::LabelDim::TopM] = c.top;
    s.Dims[data::LabelDim::VGap] = c.vGap;
    const PageMetrics m = MeasurePage(s, device);
    EXPECT_EQ(m.top, c.wantTop) << c.name;
    EXPECT_EQ(m.rowsPerPage, c.wantRows) << c.name;
    EXPECT_EQ(m.fontSize, c.wantFont) << c.name;
  }
}

// Continuous stock over three forms of 11 rows: every label lands inside a
// form, each form a page of its own.
TEST(LabelPlacement, ContinuousFormsEachHoldTheirRows) {
  FakeDevice device;
  LabelRun run(stock(1, 200, 72, true), 1, 1, device);
  for (int i = 1; i <= 33; ++i) run.Add({"L" + std::to_string(i)});
  run.Finish();
  int pages = 1;
  for (const std::string& event : device.events) {
    if (event == "page") ++pages;
    const size_t comma = event.find(',');
    if (comma == std::string::npos) continue;
    EXPECT_LE(std::stoi(event.substr(comma + 1)) + 72, device.page.height) << event;
  }
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(device.events[12], "page");
  EXPECT_EQ(device.events[13], "L12@0,0");
}

TEST(LabelPlacement, AStockThatCannotFitThePageIsRefusedByName) {
  const PaperSize letter{612, 792};
  const auto with = [](data::LabelRecord s, data::LabelDim::Index dim, double value) {
    s.Dims[dim] = value;
    return s;
  };
  const struct {
    data::LabelRecord stock;
    const char* named;  // empty: accepted
  } cases[] = {
      {stock(3, 200, 72), ""},
      {stock(0, 200, 72), "no labels across"},
      {stock(1, 0, 72), "Width is 0"},
      {stock(1, 200, 0), "Height is 0"},
      {with(stock(1, 200, 72), data::LabelDim::VGap, -5), "Vertical Gap is below 0"},
      {stock(4, 200, 72), "4 labels across (Width and Horizontal Gap) are wider than the page"},
      {with(stock(1, 200, 72), data::LabelDim::LeftM, 9999), "Left Margin and Right Margin"},
      {with(stock(1, 200, 72), data::LabelDim::TopM, 9999), "Height with the Top Margin"},
      {stock(1, 200, 800), "Height with the Top Margin and Bottom Margin is taller"},
  };
  for (const auto& c : cases) {
    const std::string problem = StockProblem(c.stock, letter);
    if (std::string(c.named).empty()) {
      EXPECT_EQ(problem, "");
    } else {
      EXPECT_NE(problem.find(c.named), std::string::npos) << problem;
      EXPECT_NE(problem.find("\"Test\""), std::string::npos) << problem;
    }
  }
  EXPECT_EQ(RowsPerForm(stock(3, 200, 72), letter), 11);
}

// The printable area is smaller than the paper: a stock that fits the paper
// but not what the printer can reach is refused before anything is drawn.
TEST(LabelPlacement, LabelsBeyondThePrintableAreaAreRefusedAtPrintTime) {
  FakeDevice device;
  device.page = {600, 60};
  LabelRun run(stock(1, 200, 72), 1, 1, device);
  EXPECT_THROW(run.Add({"L1"}), std::runtime_error);
  EXPECT_EQ(device.events, std::vector<std::string>{"begin"});
}

}  // namespace
}  // namespace vt::labels
