#include "invoicing/tpickpmt.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <vector>

#include "data/view_rows.h"
#include "ui/field_behaviour.h"
#include "ui/window_size.h"

namespace vt::invoicing {

namespace {

using vt::data::PmtCol;

// Column widths in widths of the letter "M".
constexpr int kDateLetters = 7;
constexpr int kAmountLetters = 10;
// Payments beyond this many rows make room for the scroll bar.
constexpr int kRowsWithoutScrolling = 10;
constexpr int kScrollBarRoom = 16;

QTableWidgetItem* cell(const std::string& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

}  // namespace

// The UI context is the windows' common equipment; this one asks nothing.
TPickPmt::TPickPmt(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& /*ui*/,
                   TPmtDef& paymentDialog)
    : QDialog(parent), session_(session), paymentDialog_(paymentDialog) {
  setObjectName("TPickPmt");
  setWindowTitle(tr("Select Payment"));
  build();
  resize(238, 238);
  vt::ui::HoldDesignSize(*this);
  vt::ui::enableEnterPressesButtons(this);
  connect(selectButton, &QPushButton::clicked, this, &TPickPmt::selectClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TPickPmt::cancelClicked);
  connect(paymentsGrid, &QTableWidget::cellDoubleClicked, this, &TPickPmt::selectClicked);
}

void TPickPmt::build() {
  paymentsGrid = new QTableWidget(0, PmtCol::Count, this);
  paymentsGrid->setObjectName("paymentsGrid");
  paymentsGrid->setAccessibleName(windowTitle());
  paymentsGrid->setHorizontalHeaderLabels({tr("Date"), tr("Amount")});
  paymentsGrid->verticalHeader()->hide();
  paymentsGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  paymentsGrid->horizontalHeader()->setSectionsClickable(false);
  paymentsGrid->horizontalHeader()->setHighlightSections(false);
  paymentsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  paymentsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  paymentsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  paymentsGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  paymentsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  paymentsGrid->setTabKeyNavigation(false);
  paymentsGrid->installEventFilter(this);
  selectButton = vt::ui::makeButton(this, "selectButton", tr("Select"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));

  auto* column = new QVBoxLayout(this);
  column->addWidget(paymentsGrid, 1, Qt::AlignHCenter);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(selectButton);
  buttons->addWidget(cancelButton);
  column->addLayout(buttons);
  setTabOrder(paymentsGrid, selectButton);
  setTabOrder(selectButton, cancelButton);
}

void TPickPmt::Pick() {
  FormShow();
  exec();
}

void TPickPmt::FormShow() {
  sizeGrid();
  fillGrid();
  if (paymentsGrid->rowCount() > 0) paymentsGrid->selectRow(0);
  paymentsGrid->setFocus();
}

// The two columns, a pixel and the frame; with more payments than the grid
// shows at once, room for the scroll bar too. The window grows with it.
void TPickPmt::sizeGrid() {
  const int letter = QFontMetrics(font()).horizontalAdvance(QLatin1Char('M'));
  paymentsGrid->setColumnWidth(PmtCol::PDate, kDateLetters * letter);
  paymentsGrid->setColumnWidth(PmtCol::PAmt, kAmountLetters * letter);
  int width = (kDateLetters + kAmountLetters) * letter + 1 + 2 * paymentsGrid->frameWidth();
  if (session_.PmtCount > kRowsWithoutScrolling) width += kScrollBarRoom;
  paymentsGrid->setFixedWidth(width);
}

void TPickPmt::fillGrid() {
  const int rows = std::max(0, session_.PmtCount + 1);
  paymentsGrid->clearContents();
  paymentsGrid->setRowCount(rows);
  for (int row = 0; row < rows && static_cast<size_t>(row) < session_.PmtLines.size(); ++row) {
    const vt::data::PmtRow& line = session_.PmtLines[static_cast<size_t>(row)];
    paymentsGrid->setItem(row, PmtCol::PDate, cell(line[PmtCol::PDate], Qt::AlignLeft));
    paymentsGrid->setItem(row, PmtCol::PAmt, cell(line[PmtCol::PAmt], Qt::AlignRight));
  }
}

void TPickPmt::selectClicked() {
  const int row = paymentsGrid->currentRow();
  if (row < 0 || row > session_.PmtCount || static_cast<size_t>(row) >= session_.PmtLines.size()) {
    return;
  }
  editPayment(static_cast<size_t>(row));
  accept();
}

void TPickPmt::cancelClicked() {
  reject();
}

void TPickPmt::editPayment(size_t i) {
  vt::data::PmtRow& line = session_.PmtLines[i];
  PaymentFields fields{QString::fromStdString(line[PmtCol::PDate]),
                       QString::fromStdString(line[PmtCol::PAmt])};
  switch (paymentDialog_.Edit(fields, true)) {
    case kSaveResult:
      line[PmtCol::PDate] = fields.date.toStdString();
      line[PmtCol::PAmt] = fields.amount.toStdString();
      break;
    case kDeleteResult:
      removePayment(i);
      break;
    default:
      break;
  }
}

// The following payments move up; a list emptied keeps one blank row, with
// PmtCount -1.
void TPickPmt::removePayment(size_t i) {
  vt::data::RemoveViewRow(session_.PmtLines, session_.PmtCount, i);
}

bool TPickPmt::eventFilter(QObject* watched, QEvent* event) {
  if (watched == paymentsGrid && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      selectClicked();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vt::invoicing
