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
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/convert.h"
#include "ui/wait_cursor.h"

namespace vt::ui {

using engine::Result;
using engine::Table;

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(caption);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

GridPicker::GridPicker(QWidget* parent, vt::data::DataSession& session, UiContext& ui,
                       GridPickerSettings settings)
    : QDialog(parent), session_(session), ui_(ui), settings_(std::move(settings)) {
  setWindowTitle(settings_.caption);
  buildControls();
}

void GridPicker::buildControls() {
  StringGrid1 = new QTableWidget(this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setAccessibleName(settings_.caption);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setSectionsClickable(false);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setWordWrap(false);
  StringGrid1->setTextElideMode(Qt::ElideNone);
  StringGrid1->installEventFilter(this);
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &GridPicker::StringGrid1DblClick);
  connect(StringGrid1, &QTableWidget::cellClicked, this, &GridPicker::StringGrid1Click);
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int previousRow, int) {
            if (row != previousRow) ShowRowExtra(recordAt(row));
          });

  ScrollBar1 = new QScrollBar(Qt::Vertical, this);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  ScrollBar1->setAccessibleName(tr("Scroll records"));
  ScrollBar1->setRange(0, 100);
  ScrollBar1->setSingleStep(1);
  ScrollBar1->setPageStep(10);
  QSizePolicy keepPlace = ScrollBar1->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  ScrollBar1->setSizePolicy(keepPlace);
  connect(ScrollBar1, &QScrollBar::actionTriggered, this, &GridPicker::ScrollBar1Scroll);
  connect(ScrollBar1, &QScrollBar::sliderReleased, this, &GridPicker::ScrollBar1Release);

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setAccessibleName(tr("Seek"));
  Label1 = new QLabel(tr("Seek:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setBuddy(Edit1);
  connect(Edit1, &QLineEdit::textChanged, this, &GridPicker::Edit1Change);

  BtnSelect = makeButton(this, "BtnSelect", tr("Select"));
  BtnSelect->setDefault(true);
  BtnNew = makeButton(this, "BtnNew", tr("New"));
  BtnCancel = makeButton(this, "BtnCancel", tr("Cancel"));
  connect(BtnSelect, &QPushButton::clicked, this, &GridPicker::BtnSelectClick);
  connect(BtnNew, &QPushButton::clicked, this, &GridPicker::BtnNewClick);
  connect(BtnCancel, &QPushButton::clicked, this, &GridPicker::BtnCancelClick);

  auto* gridRow = new QHBoxLayout;
  gridRow->setSpacing(0);
  gridRow->addWidget(StringGrid1);
  gridRow->addWidget(ScrollBar1);
  gridRow->addStretch();
  auto* seekRow = new QHBoxLayout;
  seekRow->addWidget(Label1);
  seekRow->addWidget(Edit1, 1);
  extraRow_ = new QHBoxLayout;
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnSelect);
  buttons->addWidget(BtnNew);
  buttons->addWidget(BtnCancel);
  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(8, 8, settings_.rightMargin, 8);
  form->addLayout(gridRow);
  form->addLayout(seekRow);
  form->addLayout(extraRow_);
  form->addLayout(buttons);
  setTabOrder(Edit1, StringGrid1);
}

void GridPicker::pick(bool allowNew, long& current) {
  BtnNew->setEnabled(allowNew);
  result_ = current;
  exec();
  current = result_;
}

long GridPicker::recordAt(int row) const {
  int column = StringGrid1->columnCount() - 1;
  if (row < 0 || row >= StringGrid1->rowCount() || column < 0) return 0;
  const QTableWidgetItem* cell = StringGrid1->item(row, column);
  return cell ? cell->text().toLong() : 0;
}

Table* GridPicker::records() const {
  return session_.table(settings_.table);
}

void GridPicker::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

// ---- Opening ---------------------------------------------------------------

void GridPicker::FormShow() {
  WaitCursor wait;
  GridOrder order = settings_.order(session_);
  setUpGrid(order);
  seekText_.clear();
  Edit1->clear();
  placeWindow(order);
  bool any = window_.count() > 0;
  StringGrid1->setRowCount(any ? kRows : 0);
  StringGrid1->setEnabled(any);
  BtnSelect->setEnabled(any);
  if (!any) return;
  fill();
  Edit1->setFocus();
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
  ScrollBar1->setVisible(window_.count() > kRows);
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
  StringGrid1->setColumnCount(static_cast<int>(columns.size()));
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    StringGrid1->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].title));
    StringGrid1->setColumnWidth(c, columns[c].width * letter);
  }
  int rowHeight = StringGrid1->verticalHeader()->defaultSectionSize();
  StringGrid1->horizontalHeader()->setFixedHeight(rowHeight);
  int frame = 2 * StringGrid1->frameWidth();
  StringGrid1->setFixedSize(settings_.gridWidth * letter + frame, rowHeight * (kRows + 1) + frame);
  ScrollBar1->setFixedHeight(StringGrid1->height());
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
  ScrollBar1->setValue(window_.percent());
  showSelectedExtra();
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
    while (cells.size() < StringGrid1->columnCount() - 1) cells << QString();
    cells << QString::number(recno);
    writeRow(static_cast<int>(rows), cells);
    if (recno == remembered_) *noted = static_cast<int>(rows);
    ++rows;
    if (rows < kRows && table.skip(1) != Result::Success) break;
  }
  return rows;
}

void GridPicker::writeRow(int row, const QStringList& cells) {
  for (int c = 0; c < StringGrid1->columnCount() && c < cells.size(); ++c) {
    QTableWidgetItem* cell = StringGrid1->item(row, c);
    if (!cell) {
      cell = new QTableWidgetItem;
      cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      StringGrid1->setItem(row, c, cell);
    }
    cell->setText(cells[c]);
  }
}

void GridPicker::clearRows() {
  for (int r = 0; r < StringGrid1->rowCount(); ++r) {
    writeRow(r, QStringList(StringGrid1->columnCount(), QString()));
  }
}

void GridPicker::placeSelection(int noted) {
  int row = noted;
  if (row < 0) {
    int now = StringGrid1->currentRow();
    row = settings_.firstRowAfterFill || now < 0 ? 0 : now;
  }
  QSignalBlocker quiet(StringGrid1);
  StringGrid1->setCurrentCell(row, 0);
}

void GridPicker::showSelectedExtra() {
  ShowRowExtra(recordAt(StringGrid1->currentRow()));
}

void GridPicker::ShowRowExtra(long) {}

// ---- Scrolling ---------------------------------------------------------------

void GridPicker::scrollTo(long top) {
  if (!records() || window_.count() == 0) return;
  long before = window_.top();
  window_.setTop(top);
  if (window_.top() != before) fill();
}

void GridPicker::ScrollBar1Scroll(int action) {
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
  ScrollBar1->setSliderPosition(window_.percent());
}

void GridPicker::ScrollBar1Release() {
  double at = ScrollBar1->sliderPosition();
  scrollTo(static_cast<long>(at * static_cast<double>(window_.topLimit()) * 0.01));
  ScrollBar1->setValue(window_.percent());
}

bool GridPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
    return gridKeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  if (watched == StringGrid1 && event->type() == QEvent::KeyRelease) showSelectedExtra();
  return QDialog::eventFilter(watched, event);
}

// Moves the window for the keys that scroll it; the grid's own cursor
// movement follows unless the key is taken here (true).
bool GridPicker::gridKeyDown(int key) {
  long top = window_.top();
  int row = StringGrid1->currentRow();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      BtnSelectClick();
      return true;
    case Qt::Key_PageDown:
      scrollTo(top + kRows);
      return false;
    case Qt::Key_PageUp:
      scrollTo(top - kRows);
      return false;
    case Qt::Key_Down:
      if (row == kRows - 1) scrollTo(top + 1);
      return false;
    case Qt::Key_Up:
      if (row == 0) scrollTo(top - 1);
      return false;
    case Qt::Key_Home:
      scrollTo(0);
      if (StringGrid1->rowCount() > 0) StringGrid1->setCurrentCell(0, 0);
      return true;
    case Qt::Key_End: {
      scrollTo(window_.topLimit());
      int last = kRows - 1;
      while (last > 0 && recordAt(last) == 0) --last;
      if (StringGrid1->rowCount() > 0) StringGrid1->setCurrentCell(last, 0);
      return true;
    }
    default:
      return false;
  }
}

void GridPicker::StringGrid1Click() {
  StringGrid1->horizontalScrollBar()->setValue(0);
}

// ---- Incremental search ------------------------------------------------------

void GridPicker::Edit1Change() {
  QString text = Edit1->text().toUpper().trimmed();
  if (text == seekText_) return;
  seekText_ = text;
  Table* table = records();
  if (!table || window_.count() == 0) return;
  Result found = table->seek(base::KeyText(text.toStdString()));
  if (found != Result::Success && found != Result::After) return;
  remembered_ = static_cast<long>(table->recNo());
  long recno = remembered_;
  window_.setTop(window_.positionOf(*table, recno));
  fill();
}

// ---- Choosing ------------------------------------------------------------------

void GridPicker::BtnSelectClick() {
  int row = StringGrid1->currentRow();
  if (!StringGrid1->isEnabled() || row < 0 || row >= StringGrid1->rowCount()) return;
  finish(recordAt(row));
}

void GridPicker::StringGrid1DblClick() {
  BtnSelectClick();
}

void GridPicker::BtnNewClick() {
  finish(0);
}

void GridPicker::BtnCancelClick() {
  finish(-1);
}

void GridPicker::finish(long value) {
  result_ = value;
  done(value < 0 ? QDialog::Rejected : QDialog::Accepted);
}

}  // namespace vt::ui
