#include "labels/tlabprint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "base/text1252.h"
#include "labels/label_device.h"
#include "ui/field_behaviour.h"
#include "ui/record_access.h"
#include "ui/text_fields.h"
#include "ui/window_size.h"

namespace vt::labels {

namespace {

// A field of one or two digits with arrows: an emptied field becomes 1 when
// left; the row field's arrows run down the sheet (down adds one).
class PositionSpin : public QSpinBox {
 public:
  PositionSpin(QWidget* parent, int maximum, bool arrowsDownTheSheet)
      : QSpinBox(parent), downTheSheet_(arrowsDownTheSheet) {
    setRange(1, maximum);
  }
  void stepBy(int steps) override { QSpinBox::stepBy(downTheSheet_ ? -steps : steps); }

 protected:
  void fixup(QString& input) const override {
    if (input.trimmed().isEmpty()) input = QStringLiteral("1");
    QSpinBox::fixup(input);
  }

 private:
  bool downTheSheet_;
};

// Whether the stock in the label buffer is the one last printed on: the
// names compared without the blanks their fields pad them with.
bool isLastUsed(const data::DataSession& session) {
  return base::trimRight(session.Label.Name) == base::trimRight(session.settings.LabID);
}

QLabel* makeCaption(QWidget* parent, QWidget* field) {
  auto* caption = new QLabel(field->accessibleName(), parent);
  caption->setBuddy(field);
  return caption;
}

}  // namespace

TLabPrint::TLabPrint(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui) {
  setObjectName("TLabPrint");
  setWindowTitle(tr("Print Labels"));
  build();
  layOut();
  resize(280, 170);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::enableEnterMovesFocus(this);
  connect(okButton, &QPushButton::clicked, this, &TLabPrint::okClicked);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(labelStockCombo, &QComboBox::activated, this, &TLabPrint::stockChosen);
}

void TLabPrint::build() {
  labelStockCombo = new QComboBox(this);
  labelStockCombo->setObjectName("labelStockCombo");
  labelStockCombo->setAccessibleName(tr("Label Stock:"));
  startColumnSpin = new PositionSpin(this, 9, false);
  startColumnSpin->setObjectName("startColumnSpin");
  startColumnSpin->setAccessibleName(tr("Starting Column:"));
  startRowSpin = new PositionSpin(this, kMostRows, true);
  startRowSpin->setObjectName("startRowSpin");
  startRowSpin->setAccessibleName(tr("Row:"));
  pdfCheck = new QCheckBox(tr("Print to PDF file"), this);
  pdfCheck->setObjectName("pdfCheck");
  pdfCheck->setAccessibleName(pdfCheck->text());
  okButton = vt::ui::makeButton(this, "okButton", tr("OK"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  QWidget* const order[] = {labelStockCombo, startColumnSpin, startRowSpin,
                            pdfCheck,        okButton,        cancelButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TLabPrint::layOut() {
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (QWidget* field :
       {static_cast<QWidget*>(labelStockCombo), static_cast<QWidget*>(startColumnSpin),
        static_cast<QWidget*>(startRowSpin)}) {
    grid->addWidget(makeCaption(this, field), row, 0);
    grid->addWidget(field, row++, 1);
  }
  grid->addWidget(pdfCheck, row++, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  grid->addLayout(buttons, row, 0, 1, 2);
  grid->setColumnStretch(1, 1);
}

std::optional<LabelStart> TLabPrint::Run() {
  FormShow();
  exec();
  if (cancelled_) return std::nullopt;
  return LabelStart{startColumnSpin->value(), startRowSpin->value(), pdfCheck->isChecked()};
}

// The stock last printed on comes selected; without a printer the labels
// can only go to a file.
void TLabPrint::FormShow() {
  cancelled_ = true;
  labelStockCombo->clear();
  engine::Table& labels = *session_.labels();
  labels.selectTag(labels.tag("Labels"));
  int selected = 0;
  for (labels.top(); !labels.eof(); labels.skip()) {
    if (const int status = session_.LoadLabel(); status < 0) {
      vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "read the label stocks", status);
      break;
    }
    if (isLastUsed(session_)) selected = labelStockCombo->count();
    labelStockCombo->addItem(QString::fromStdString(base::trimRight(session_.Label.Name)));
  }
  labelStockCombo->setCurrentIndex(labelStockCombo->count() > 0 ? selected : -1);
  startColumnSpin->setValue(1);
  startRowSpin->setValue(1);
  stockChosen(labelStockCombo->currentIndex());
  const bool printer = ui_.printers.available();
  pdfCheck->setEnabled(printer);
  pdfCheck->setChecked(!printer);
  startColumnSpin->setFocus();
}

bool TLabPrint::loadStock(int index) {
  engine::Table& labels = *session_.labels();
  labels.top();
  labels.skip(index);
  if (const int status = session_.LoadLabel(); status < 0) {
    return vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "read the label stock",
                                      status);
  }
  return true;
}

// The starting column stays within the columns of the stock shown, the
// row within the rows a page (a form) of it holds.
void TLabPrint::stockChosen(int index) {
  if (index < 0 || !loadStock(index)) return;
  fitStart();
}

void TLabPrint::fitStart() {
  const data::LabelRecord& stock = session_.Label;
  startColumnSpin->setMaximum(std::clamp(stock.NAcross, 1, 9));
  const PaperSize paper = PaperOf(ui_.printers.printer().pageLayout());
  startRowSpin->setMaximum(std::clamp(RowsPerForm(stock, paper), 1, kMostRows));
}

void TLabPrint::okClicked() {
  const int index = labelStockCombo->currentIndex();
  if (index >= 0 && loadStock(index)) {
    fitStart();
    rememberStock();
    cancelled_ = false;
  }
  accept();
}

// The stock chosen becomes the next run's first choice.
void TLabPrint::rememberStock() {
  if (isLastUsed(session_)) return;
  session_.settings.LabID = base::trimRight(session_.Label.Name);
  int status = session_.OpenSettings() ? session_.WriteSettings() : engine::kErrOpen;
  session_.CloseSettings();
  if (status < 0) {
    vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "save the settings", status);
  }
}

}  // namespace vt::labels
