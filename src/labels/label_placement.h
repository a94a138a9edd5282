// Placing address labels on a label stock: the labels of a run are gathered
// a row at a time (five lines per label, NAcross labels across) and each full
// row is drawn at its place on the page. Distances are worked out once per
// run in the device's units from the stock's printer points, with the
// margins measured from the paper's edges.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/records.h"

namespace vt::labels {

constexpr int kLabelLines = 5;
// The font is never made smaller than this while fitting a label.
constexpr int kSmallestFontPoints = 4;

struct DeviceSize {
  int width = 0;
  int height = 0;
};

// Where labels are drawn: a printer or a file. Coordinates are device units
// from the top-left corner of the printable area. The document calls throw
// std::runtime_error when the device refuses them.
class LabelDevice {
 public:
  virtual ~LabelDevice() = default;
  virtual void beginDocument() = 0;
  virtual void newPage() = 0;
  virtual void endDocument() = 0;
  // Units per inch across and down.
  virtual int dpiX() const = 0;
  virtual int dpiY() const = 0;
  // The unprintable strips at the left (width) and top (height).
  virtual DeviceSize printingOffset() const = 0;
  virtual DeviceSize physicalSize() const = 0;
  virtual DeviceSize printableSize() const = 0;
  // The size of the font drawn with, in points; set from the report font
  // before the run.
  virtual int fontSize() const = 0;
  virtual void setFontSize(int points) = 0;
  virtual int textWidth(const std::string& text) const = 0;
  virtual int textHeight(const std::string& text) const = 0;
  // `text` with its top-left corner at x, y.
  virtual void drawText(int x, int y, const std::string& text) = 0;
};

// The stock in device units, as placing needs it.
struct PageMetrics {
  int top = 0, left = 0, bottom = 0, right = 0;
  int width = 0, height = 0, hGap = 0, vGap = 0;
  int rowsPerPage = 0;
  int fontSize = 0;
  int lineHeight = 0;  // height of one text line in the fitted font
};

// Points to device units at `dpi`, the fraction dropped.
int PointsToUnits(int dpi, double points);

// The paper's whole size in points.
struct PaperSize {
  double width = 0;
  double height = 0;
};

// Rows of labels `height` high with `vGap` between them in `avail`: the
// last row needs no gap below it.
int RowsFitting(double avail, double height, double vGap);

// Works out the metrics on `device` (whose document has begun) and leaves
// its font at the fitted size.
PageMetrics MeasurePage(const data::LabelRecord& stock, LabelDevice& device);

// Why `stock` cannot take labels on `paper`, naming the dimension at fault
// (no labels across, a width or height not above 0, a negative dimension,
// margins or labels across wider than the page, a label taller than the
// room between the top and bottom margins), or empty when it can.
std::string StockProblem(const data::LabelRecord& stock, PaperSize paper);
// The rows of labels a page of `paper` holds; a form of continuous stock is
// one page. At least 1.
int RowsPerForm(const data::LabelRecord& stock, PaperSize paper);

// One run of labels on one stock. The document begins with the first row
// drawn, so a run that adds nothing leaves the device untouched. Sheets and
// continuous forms alike: a row that does not fit the page starts the next
// one. Labels that do not fit the device's printable area throw
// std::runtime_error before anything is drawn.
class LabelRun {
 public:
  // The starting column is kept within the stock's columns, the row at 1 or
  // more (a row past the page starts the next page). The stock must pass
  // StockProblem.
  LabelRun(const data::LabelRecord& stock, int startColumn, int startRow, LabelDevice& device);

  // The five address lines as the next label.
  void Add(const std::vector<std::string>& lines);
  // Draws a row still pending and ends the document when one was begun.
  void Finish();

  bool printedAny() const { return printedAny_; }
  int labelsAdded() const { return added_; }
  int column() const { return column_; }
  int row() const { return row_; }

 private:
  // Begins the document and works out the metrics; throws when the labels
  // do not fit the printable area.
  void measure();
  void printRow();
  void clearRow();

  data::LabelRecord stock_;
  LabelDevice& device_;
  int column_;
  int row_;
  std::vector<std::array<std::string, kLabelLines>> cells_;
  bool pending_ = false;
  bool printedAny_ = false;
  bool measured_ = false;
  int added_ = 0;
  PageMetrics metrics_;
};

}  // namespace vt::labels
