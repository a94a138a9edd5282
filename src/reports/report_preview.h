// The drawn part of the report window: the rows of a report document from
// the first row shown down to the bottom edge, in the report font made small
// enough for the window (not below 8 points). Only the rows in view are
// drawn, so a document of any length shows and scrolls at once.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <string>

#include "reports/report_canvas.h"
#include "reports/report_doc.h"

namespace vt::reports {

class ReportPreview : public QWidget {
  Q_OBJECT

 public:
  // `failed` is told, once per showing, what stopped a paint (a picture
  // that cannot be loaded, a malformed cell); it is called after the paint.
  ReportPreview(QWidget* parent, std::function<void(const std::string&)> failed);

  // Shows `doc` (null: nothing) from its first row in `reportFont`.
  void setDocument(const ReportDoc* doc, const QFont& reportFont);
  void setFirstRow(int row);
  int firstRow() const { return firstRow_; }
  int rowsPerScreen() const { return rowsPerScreen_; }
  const CanvasLayout& layout() const { return layout_; }

 signals:
  // The layout was computed again (a new document or a new size).
  void laidOut();
  // The mouse wheel asks for `rows` rows further down (up when negative), a
  // notch moving as many rows as the system's setting says.
  void wheelTurned(int rows);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void layOut();
  void paintRows(QPainter& painter);

  std::function<void(const std::string&)> failed_;
  const ReportDoc* doc_ = nullptr;
  QFont reportFont_;
  CanvasLayout layout_;
  PictureCache pictures_;
  int firstRow_ = 0;
  int rowsPerScreen_ = 1;
  std::string toldFailure_;
};

}  // namespace vt::reports
