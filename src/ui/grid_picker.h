// The grid picker every large table's picker window follows (customers,
// products, purchases): a window of ten records of the table in the order of
// its tag, moved with a scroll bar, the keys of the grid and an incremental
// search, from which the user chooses a record, asks for a new one or
// cancels. Up, Down, Page Up and Page Down, in the grid or the seek box,
// move the highlight by one row or one page of the order. Each picker
// supplies its columns, its tag and its row loader.
#pragma once

#include <QChar>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/data_session.h"
#include "ui/context.h"
#include "ui/grid_picker_window.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;

namespace vt::ui {

struct GridColumn {
  QString title;
  int width = 0;  // in widths of the picker's measure letter
};

// The order a picker shows: its columns before the record number and the
// tag selected on opening (empty: the table's selected order stays).
struct GridOrder {
  std::vector<GridColumn> columns;
  QString tag;
};

// The key sought for the seek box's text: trimmed, in Windows-1252 and
// upper-cased by the keys' own rule, so a name is found by typing it as
// stored.
std::optional<std::string> UpperCaseSeekKey(const QString& typed);

// Everything in which one grid picker differs from another.
struct GridPickerSettings {
  QString caption;
  vt::data::TableId table = vt::data::TableId::Customers;
  // Column widths and the grid's width are counted in this letter's width
  // in the window's font.
  QChar measure = QLatin1Char('B');
  int gridWidth = 0;
  // Pixels between the scroll bar's right edge and the window's.
  int rightMargin = 16;
  // After a fill in which the remembered record is not shown: true puts the
  // selection on row 1, false leaves it on the row it was on.
  bool firstRowAfterFill = true;
  // Page Down and Page Up: true moves the window by ten records and selects
  // row 1, so on the last page Page Down shows the same ten again from row 1;
  // false moves the highlight by ten records.
  bool pagesFromFirstRow = false;
  // Read on every opening (the customer order follows a preference).
  std::function<GridOrder(const vt::data::DataSession&)> order;
  // Loads the table's current record into its buffer and gives the cells of
  // its row, without the record number; `deleted` when it is marked so. No
  // cells when the record cannot be read.
  std::function<QStringList(vt::data::DataSession&, bool deleted)> row;
  // The seek box: its label, a regular expression its whole text must match
  // (empty: any text), and the key (index bytes) sought for its text; none
  // when that text is not sought.
  QString seekLabel = QStringLiteral("Seek:");
  QString seekPattern;
  std::function<std::optional<std::string>(const QString& typed)> seekKey = UpperCaseSeekKey;
};

class GridPicker : public QDialog, public vt::data::RecordPicker {
  Q_OBJECT

 public:
  static constexpr int kRows = static_cast<int>(RecordWindow::kRows);

  GridPicker(QWidget* parent, vt::data::DataSession& session, UiContext& ui,
             GridPickerSettings settings);

  // Shows the picker modally with New enabled when `allowNew`; `current`
  // names the record to start on and receives the choice: a record number,
  // 0 for New, -1 for Cancel (also for Escape and the frame's close).
  void pick(bool allowNew, long& current) override;

  // The value the picker leaves, as it stands now.
  long result() const { return result_; }
  // The four values kept between openings.
  long windowTop() const { return window_.top(); }
  long topLimit() const { return window_.topLimit(); }
  const QString& seekText() const { return seekText_; }
  long rememberedRecord() const { return remembered_; }

  // The record number in a grid row's "RecNo" cell (rows 0-9); 0 when blank.
  long recordAt(int row) const;

  // A line above the grid telling what the choice is for in the run that
  // shows the picker ("Choose another customer, or Cancel to print the
  // statements"); empty hides it.
  void setPrompt(const QString& prompt);

  QLabel* promptLabel = nullptr;
  QTableWidget* recordsGrid = nullptr;
  QScrollBar* recordsScrollBar = nullptr;
  QLabel* seekLabel = nullptr;
  QLineEdit* seekEdit = nullptr;
  QPushButton* selectButton = nullptr;
  QPushButton* newButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void FormShow();
  void selectClicked();
  void newClicked();
  void cancelClicked();
  void gridDoubleClicked();
  void gridClicked();
  void seekChanged();
  // A scroll bar action (QAbstractSlider::SliderAction).
  void scrolled(int action);
  // The thumb let go after dragging.
  void scrollBarReleased();
  // Escape and the frame's close button: Cancel.
  void reject() override;

 protected:
  // Shows what belongs to the record of the selected row (0 for a blank
  // row): called when the selection moves to a row, after every key
  // released in the grid and after each fill. Nothing by default.
  virtual void ShowRowExtra(long recno);
  // A row under the seek box for a picker's extra display.
  QHBoxLayout* extraRow() const { return extraRow_; }
  vt::data::DataSession& session() const { return session_; }
  UiContext& ui() const { return ui_; }

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void setUpGrid(const GridOrder& order);
  void sizeGrid();
  void widenLastColumn();
  void placeWindow(const GridOrder& order);
  void selectTag(vt::engine::Table& table, const GridOrder& order);
  vt::engine::Table* records() const;
  void fill();
  void reportFailure();
  long readRows(vt::engine::Table& table, int* noted);
  void writeRow(int row, const QStringList& cells);
  void clearRows();
  void placeSelection(int noted);
  void scrollTo(long top);
  static long stepOf(int key);
  bool gridKeyDown(int key);
  bool seekKeyDown(int key);
  void moveHighlight(long step);
  int rowsShown() const;
  long recordAfter(long recno, long step);
  void showSelectedExtra();
  void finish(long value);

  vt::data::DataSession& session_;
  UiContext& ui_;
  GridPickerSettings settings_;
  RecordWindow window_;
  QString seekText_;
  long remembered_ = 0;
  long result_ = -1;
  QHBoxLayout* extraRow_ = nullptr;
  // The design width of the last column before the record number.
  int lastColumnWidth_ = 0;
};

}  // namespace vt::ui
