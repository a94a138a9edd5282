#include "ui/grid_picker.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "base/convert.h"
#include "base/text1252.h"
#include "ui/field_behaviour.h"
#include "ui/list_failure.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"

namespace vt::ui {

using engine::Result;
using engine::Table;

GridPicker::GridPicker(QWidget* parent, vt::data::DataSession& session, UiContext& ui,
                       GridPickerSettings settings)
    : QDialog(parent), session_(session), ui_(ui), settings_(std::move(settings)) {
  setWindowTitle(settings_.caption);
  buildControls();
  HoldDesignSize(*this);
}

void GridPicker::buildControls() {
  promptLabel = new QLabel(this);
  promptLabel->setObjectName(QStringLiteral("promptLabel"));
  promptLabel->hide();
  recordsGrid = new QTableWidget(this);
  recordsGrid->setObjectName(QStringLiteral("recordsGrid"));
  recordsGrid->setAccessibleName(settings_.caption);
  recordsGrid->verticalHeader()->hide();
  // A taller window makes the ten rows taller.
  recordsGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  recordsGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  recordsGrid->horizontalHeader()->setSectionsClickable(false);
  recordsGrid->horizontalHeader()->setHighlightSections(false);
  recordsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  recordsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  recordsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  recordsGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  recordsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  recordsGrid->setWordWrap(false);
  recordsGrid->setTextElideMode(Qt::ElideNone);
  // Tab leaves the grid, one stop among the controls; the arrows move in it.
  recordsGrid->setTabKeyNavigation(false);
  recordsGrid->installEventFilter(this);
  connect(recordsGrid, &QTableWidget::cellDoubleClicked, this, &GridPicker::gridDoubleClicked);
  connect(recordsGrid, &QTableWidget::cellClicked, this, &GridPicker::gridClicked);
  connect(recordsGrid, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int previousRow, int) {
            if (row != previousRow) ShowRowExtra(recordAt(row));
          });

  recordsScrollBar = new QScrollBar(Qt::Vertical, this);
  recordsScrollBar->setObjectName(QStringLiteral("recordsScrollBar"));
  recordsScrollBar->setAccessibleName(tr("Scroll records"));
  recordsScrollBar->setRange(0, 100);
  recordsScrollBar->setSingleStep(1);
  recordsScrollBar->setPageStep(10);
  QSizePolicy keepPlace = recordsScrollBar->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  recordsScrollBar->setSizePolicy(keepPlace);
  connect(recordsScrollBar, &QScrollBar::actionTriggered, this, &GridPicker::scrolled);
  connect(recordsScrollBar, &QScrollBar::sliderReleased, this, &GridPicker::scrollBarReleased);

  seekEdit = new QLineEdit(this);
  seekEdit->setObjectName(QStringLiteral("seekEdit"));
  seekEdit->setAccessibleName(QString(settings_.seekLabel).remove(QLatin1Char(':')).trimmed());
  if (!settings_.seekPattern.isEmpty()) {
    seekEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(settings_.seekPattern), seekEdit));
  }
  seekLabel = new QLabel(settings_.seekLabel, this);
  seekLabel->setObjectName(QStringLiteral("seekLabel"));
  seekLabel->setBuddy(seekEdit);
  seekEdit->installEventFilter(this);
  connect(seekEdit, &QLineEdit::textChanged, this, &GridPicker::seekChanged);

  selectButton = makeButton(this, "selectButton", tr("Select"));
  selectButton->setDefault(true);
  newButton = makeButton(this, "newButton", tr("New"));
  cancelButton = makeButton(this, "cancelButton", tr("Cancel"));
  connect(selectButton, &QPushButton::clicked, this, &GridPicker::selectClicked);
  connect(newButton, &QPushButton::clicked, this, &GridPicker::newClicked);
  connect(cancelButton, &QPushButton::clicked, this, &GridPicker::cancelClicked);
  enableEnterPressesButtons(this);

  sizeGrid();
  auto* gridRow = new QHBoxLayout;
  gridRow->setSpacing(0);
  gridRow->addWidget(recordsGrid);
  gridRow->addWidget(recordsScrollBar);
  auto* seekRow = new QHBoxLayout;
  seekRow->addWidget(seekLabel);
  seekRow->addWidget(seekEdit, 1);
  extraRow_ = new QHBoxLayout;
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(selectButton);
  buttons->addWidget(newButton);
  buttons->addWidget(cancelButton);
  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(8, 8, settings_.rightMargin, 8);
  form->addWidget(promptLabel);
  form->addLayout(gridRow, 1);
  form->addLayout(seekRow);
  form->addLayout(extraRow_);
  form->addLayout(buttons);
  QWidget* stops[] = {seekEdit, recordsGrid, selectButton, newButton, cancelButton};
  for (size_t i = 1; i < std::size(stops); ++i) setTabOrder(stops[i - 1], stops[i]);
}

void GridPicker::setPrompt(const QString& prompt) {
  promptLabel->setText(prompt);
  promptLabel->setAccessibleName(prompt);
  promptLabel->setVisible(!prompt.isEmpty());
}

void GridPicker::pick(bool allowNew, long& current) {
  newButton->setEnabled(allowNew);
  result_ = current;
  exec();
  current = result_;
}

long GridPicker::recordAt(int row) const {
  int column = recordsGrid->columnCount() - 1;
  if (row < 0 || row >= recordsGrid->rowCount() || column < 0) return 0;
  const QTableWidgetItem* cell = recordsGrid->item(row, column);
  return cell ? cell->text().toLong() : 0;
}

Table* GridPicker::records() const {
  return session_.table(settings_.table);
}

void GridPicker::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the window system is not opened again.
  if (!event->spontaneous()) FormShow();
}

// ---- Opening ---------------------------------------------------------------

void GridPicker::FormShow() {
  WaitCursor wait;
  session_.engine().errorCode();
  GridOrder order = settings_.order(session_);
  setUpGrid(order);
  seekText_.clear();
  seekEdit->clear();
  placeWindow(order);
  bool any = window_.count() > 0;
  recordsGrid->setRowCount(any ? kRows : 0);
  recordsGrid->setEnabled(any);
  selectButton->setEnabled(any);
  if (!any) return;
  fill();
  seekEdit->setFocus();
}

// Counts the records in the picker's order. Over ten, the window is placed
// on the caller's record and the value left becomes Cancel until a choice
// is made; otherwise the window shows them all and the caller's value
// stands.
void GridPicker::placeWindow(const GridOrder& order) {
  Table* table = records();
  if (!table) {
    window_.clear();
  } else {
    selectTag(*table, order);
    window_.reset(*table);
  }
  recordsScrollBar->setVisible(window_.count() > kRows);
  if (window_.count() <= kRows) {
    window_.setTop(0);
    return;
  }
  remembered_ = result_;
  window_.setTop(window_.positionOf(*table, remembered_));
  result_ = -1;
}

void GridPicker::setUpGrid(const GridOrder& order) {
  std::vector<GridColumn> columns = order.columns;
  columns.push_back({tr("RecNo"), 10});
  int letter = QFontMetrics(font()).horizontalAdvance(settings_.measure);
  recordsGrid->setColumnCount(static_cast<int>(columns.size()));
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    recordsGrid->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].title));
    recordsGrid->setColumnWidth(c, columns[c].width * letter);
  }
  lastColumnWidth_ = order.columns.empty() ? 0 : order.columns.back().width * letter;
  widenLastColumn();
}

// The grid's design size, its least: ten rows under the titles, as wide as
// the columns before the record number.
void GridPicker::sizeGrid() {
  int letter = QFontMetrics(font()).horizontalAdvance(settings_.measure);
  int rowHeight = recordsGrid->verticalHeader()->defaultSectionSize();
  recordsGrid->horizontalHeader()->setFixedHeight(rowHeight);
  int frame = 2 * recordsGrid->frameWidth();
  recordsGrid->setMinimumSize(settings_.gridWidth * letter + frame,
                              rowHeight * (kRows + 1) + frame);
  recordsGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

// A wider grid gives its extra width to the last column before the record
// number, which stays out of sight beyond the grid's edge.
void GridPicker::widenLastColumn() {
  const int last = recordsGrid->columnCount() - 2;
  if (last < 0 || lastColumnWidth_ <= 0) return;
  const int extra = std::max(0, recordsGrid->width() - recordsGrid->minimumWidth());
  recordsGrid->setColumnWidth(last, lastColumnWidth_ + extra);
}

void GridPicker::selectTag(Table& table, const GridOrder& order) {
  if (order.tag.isEmpty()) return;
  if (engine::Tag* tag = table.tag(order.tag.toStdString())) table.selectTag(tag);
}

// ---- Filling the window ------------------------------------------------------

void GridPicker::fill() {
  Table* table = records();
  if (!table) return;
  int noted = -1;
  long rows = readRows(*table, &noted);
  if (window_.overshot(rows)) readRows(*table, &noted);
  remembered_ = 0;
  placeSelection(noted);
  recordsScrollBar->setValue(window_.percent());
  showSelectedExtra();
  reportFailure();
}

// Tells the user when the engine failed (a damaged index, a read error)
// while the window was filled or sought.
void GridPicker::reportFailure() {
  if (const int status = session_.engine().errorCode(); status < 0) {
    ReportListFailure(ui_.dialogs, &session_.engine(), status);
  }
}

long GridPicker::readRows(Table& table, int* noted) {
  clearRows();
  *noted = -1;
  if (!window_.seat(table)) return 0;
  long rows = 0;
  while (rows < kRows && !table.eof()) {
    long recno = static_cast<long>(table.recNo());
    // A record that cannot be read shows blank cells beside its number.
    QStringList cells = settings_.row(session_, table.deleted());
    while (cells.size() < recordsGrid->columnCount() - 1) cells << QString();
    cells << QString::number(recno);
    writeRow(static_cast<int>(rows), cells);
    if (recno == remembered_) *noted = static_cast<int>(rows);
    ++rows;
    if (rows < kRows && table.skip(1) != Result::Success) break;
  }
  return rows;
}

void GridPicker::writeRow(int row, const QStringList& cells) {
  for (int c = 0; c < recordsGrid->columnCount() && c < cells.size(); ++c) {
    QTableWidgetItem* cell = recordsGrid->item(row, c);
    if (!cell) {
      cell = new QTableWidgetItem;
      cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      recordsGrid->setItem(row, c, cell);
    }
    cell->setText(cells[c]);
    // Fields are blank-padded to their width; a screen reader reads the
    // text without the padding.
    cell->setData(Qt::AccessibleTextRole, WithoutTrailingBlanks(cells[c]));
  }
}

void GridPicker::clearRows() {
  for (int r = 0; r < recordsGrid->rowCount(); ++r) {
    writeRow(r, QStringList(recordsGrid->columnCount(), QString()));
  }
}

void GridPicker::placeSelection(int noted) {
  int row = noted;
  if (row < 0) {
    int now = recordsGrid->currentRow();
    row = settings_.firstRowAfterFill || now < 0 ? 0 : now;
  }
  QSignalBlocker quiet(recordsGrid);
  recordsGrid->setCurrentCell(row, 0);
}

void GridPicker::showSelectedExtra() {
  ShowRowExtra(recordAt(recordsGrid->currentRow()));
}

void GridPicker::ShowRowExtra(long) {}

// ---- Scrolling ---------------------------------------------------------------

void GridPicker::scrollTo(long top) {
  if (!records() || window_.count() == 0) return;
  long before = window_.top();
  window_.setTop(top);
  if (window_.top() != before) fill();
}

void GridPicker::scrolled(int action) {
  long top = window_.top();
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      scrollTo(top + 1);
      break;
    case QAbstractSlider::SliderSingleStepSub:
      scrollTo(top - 1);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      scrollTo(top + kRows);
      break;
    case QAbstractSlider::SliderPageStepSub:
      scrollTo(top - kRows);
      break;
    case QAbstractSlider::SliderToMinimum:
      scrollTo(0);
      break;
    case QAbstractSlider::SliderToMaximum:
      scrollTo(window_.topLimit());
      break;
    default:  // the thumb being dragged: the window waits for its release
      return;
  }
  recordsScrollBar->setSliderPosition(window_.percent());
}

void GridPicker::scrollBarReleased() {
  double at = recordsScrollBar->sliderPosition();
  scrollTo(static_cast<long>(at * static_cast<double>(window_.topLimit()) * 0.01));
  recordsScrollBar->setValue(window_.percent());
}

bool GridPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == recordsGrid && event->type() == QEvent::Resize) widenLastColumn();
  if (watched == recordsGrid && event->type() == QEvent::KeyPress) {
    return gridKeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  if (watched == recordsGrid && event->type() == QEvent::KeyRelease) showSelectedExtra();
  if (watched == seekEdit && event->type() == QEvent::KeyPress) {
    return seekKeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  return QDialog::eventFilter(watched, event);
}

// The keys that move the highlight by a row or a page, from the grid or the
// seek box: the steps through the order; 0 for any other key.
long GridPicker::stepOf(int key) {
  switch (key) {
    case Qt::Key_Down:
      return 1;
    case Qt::Key_Up:
      return -1;
    case Qt::Key_PageDown:
      return kRows;
    case Qt::Key_PageUp:
      return -kRows;
    default:
      return 0;
  }
}

// The keys of the seek box that move the highlight; true when taken.
bool GridPicker::seekKeyDown(int key) {
  long step = stepOf(key);
  if (step == 0) return false;
  moveHighlight(step);
  return true;
}

// The keys of the grid; true when taken, else the grid handles the key.
bool GridPicker::gridKeyDown(int key) {
  const bool page = key == Qt::Key_PageDown || key == Qt::Key_PageUp;
  if (page && settings_.pagesFromFirstRow) {
    scrollTo(window_.top() + stepOf(key));
    if (recordsGrid->rowCount() > 0) recordsGrid->setCurrentCell(0, 0);
    return true;
  }
  if (long step = stepOf(key); step != 0) {
    moveHighlight(step);
    return true;
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      selectClicked();
      return true;
    case Qt::Key_Home:
      scrollTo(0);
      if (recordsGrid->rowCount() > 0) recordsGrid->setCurrentCell(0, 0);
      return true;
    case Qt::Key_End: {
      scrollTo(window_.topLimit());
      int last = kRows - 1;
      while (last > 0 && recordAt(last) == 0) --last;
      if (recordsGrid->rowCount() > 0) recordsGrid->setCurrentCell(last, 0);
      return true;
    }
    default:
      return false;
  }
}

// Moves the highlight `step` records through the order, stopping on the
// first and the last record. Within the window the highlight moves; else
// the window moves by the step and the highlight keeps its row, or goes as
// far as the window's last or first row where the window cannot move.
void GridPicker::moveHighlight(long step) {
  int row = recordsGrid->currentRow();
  long from = recordAt(row);
  if (from <= 0) return;
  long target = row + step;
  if (target >= 0 && target < rowsShown()) {
    recordsGrid->setCurrentCell(static_cast<int>(target), 0);
    return;
  }
  long record = recordAfter(from, step);
  if (record <= 0) {
    reportFailure();
    return;
  }
  remembered_ = record;
  scrollTo(window_.top() + step);
  remembered_ = 0;
  for (int r = 0; r < rowsShown(); ++r) {
    if (recordAt(r) == record) recordsGrid->setCurrentCell(r, 0);
  }
}

// The rows that show a record (from the first row on).
int GridPicker::rowsShown() const {
  int rows = 0;
  while (rows < recordsGrid->rowCount() && recordAt(rows) > 0) ++rows;
  return rows;
}

// The record `step` records after `recno` in the order, the last or the
// first one when the order ends before; 0 when it cannot be read.
long GridPicker::recordAfter(long recno, long step) {
  Table* table = records();
  if (!table || table->go(static_cast<uint32_t>(recno)) != Result::Success) return 0;
  Result moved = table->skip(step);
  if (moved == Result::Eof) moved = table->bottom();
  if (moved == Result::Bof) moved = table->top();
  if (moved != Result::Success || table->eof()) return 0;
  return static_cast<long>(table->recNo());
}

void GridPicker::gridClicked() {
  recordsGrid->horizontalScrollBar()->setValue(0);
}

// ---- Incremental search ------------------------------------------------------

std::optional<std::string> UpperCaseSeekKey(const QString& typed) {
  return base::upper1252(base::KeyText(typed.trimmed().toStdString()));
}

// A text equal to the last one sought changes nothing.
void GridPicker::seekChanged() {
  std::optional<std::string> key = settings_.seekKey(seekEdit->text());
  QString text = key ? QString::fromStdString(base::toUtf8(*key)) : QString();
  if (text == seekText_) return;
  seekText_ = text;
  Table* table = records();
  if (!key || !table || window_.count() == 0) return;
  Result found = table->seek(*key);
  if (found != Result::Success && found != Result::After) {
    reportFailure();
    return;
  }
  remembered_ = static_cast<long>(table->recNo());
  long recno = remembered_;
  window_.setTop(window_.positionOf(*table, recno));
  fill();
}

// ---- Choosing ------------------------------------------------------------------

void GridPicker::selectClicked() {
  int row = recordsGrid->currentRow();
  if (!recordsGrid->isEnabled() || row < 0 || row >= recordsGrid->rowCount()) return;
  const long record = recordAt(row);
  // A blank row asks for a new record, which only New may offer.
  if (record == 0 && !newButton->isEnabled()) return;
  finish(record);
}

void GridPicker::gridDoubleClicked() {
  selectClicked();
}

void GridPicker::newClicked() {
  finish(0);
}

void GridPicker::cancelClicked() {
  finish(-1);
}

void GridPicker::reject() {
  result_ = -1;
  QDialog::reject();
}

void GridPicker::finish(long value) {
  result_ = value;
  done(value < 0 ? QDialog::Rejected : QDialog::Accepted);
}

}  // namespace vt::ui
