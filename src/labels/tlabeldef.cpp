#include "labels/tlabeldef.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "catalog/tproddef.h"
#include "labels/label_device.h"
#include "ui/amount_edit.h"
#include "ui/amount_field_exit.h"
#include "ui/field_behaviour.h"
#include "ui/record_access.h"
#include "ui/text_fields.h"
#include "ui/window_size.h"

namespace vt::labels {

namespace {

using vt::data::LabelDim;

constexpr const char* kDimensionMask = "!####.999;1;_";
constexpr const char* kDimensionFormat = "%8.3f";
constexpr const char* kAcrossMask = "!9;1;_";
constexpr const char* kBlankName = "Please fill in label name.";
constexpr int kNameLength = 40;

QLabel* captionFor(QWidget* parent, QWidget* field, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(field);
  return label;
}

}  // namespace

TLabelDef::TLabelDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui) {
  setObjectName(QStringLiteral("TLabelDef"));
  setWindowTitle(QStringLiteral("Label Definition"));
  build();
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::SetUpEditorButtons(this);
  vt::ui::enableEnterMovesFocus(this);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { ui_.help.showContext(kHelpContext); });
  connect(saveButton, &QPushButton::clicked, this, &TLabelDef::saveClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TLabelDef::cancelClicked);
}

// Controls are made in tab order: the name, the dimensions row by row
// across both columns, the labels across, the check box, the buttons.
void TLabelDef::build() {
  auto* column = new QVBoxLayout(this);
  auto* nameRow = new QHBoxLayout;
  labelNameEdit = new QLineEdit(this);
  labelNameEdit->setObjectName(QStringLiteral("labelNameEdit"));
  labelNameEdit->setAccessibleName(QStringLiteral("Label Name"));
  labelNameEdit->setMaxLength(kNameLength);
  nameRow->addWidget(captionFor(this, labelNameEdit, QStringLiteral("Label &Name")));
  nameRow->addWidget(labelNameEdit, 1);
  column->addLayout(nameRow);
  auto* note = new QLabel(QStringLiteral("Label Dimensions are defined in printer points where "
                                         "each printer point is 1/72 of an inch."),
                          this);
  note->setWordWrap(true);
  column->addWidget(note);

  auto* grid = new QGridLayout;
  topMarginEdit = addDimension(grid, 0, 0, "topMarginEdit", QStringLiteral("Top Margin"));
  leftMarginEdit = addDimension(grid, 0, 1, "leftMarginEdit", QStringLiteral("Left Margin"));
  bottomMarginEdit = addDimension(grid, 1, 0, "bottomMarginEdit", QStringLiteral("Bottom Margin"));
  rightMarginEdit = addDimension(grid, 1, 1, "rightMarginEdit", QStringLiteral("Right Margin"));
  widthEdit = addDimension(grid, 2, 0, "widthEdit", QStringLiteral("Width"));
  heightEdit = addDimension(grid, 2, 1, "heightEdit", QStringLiteral("Height"));
  horizontalGapEdit =
      addDimension(grid, 3, 0, "horizontalGapEdit", QStringLiteral("Horizontal Gap"));
  verticalGapEdit = addDimension(grid, 3, 1, "verticalGapEdit", QStringLiteral("Vertical Gap"));
  labelsAcrossEdit = new vt::ui::MaskedEdit(this);
  labelsAcrossEdit->setObjectName(QStringLiteral("labelsAcrossEdit"));
  labelsAcrossEdit->setAccessibleName(QStringLiteral("No. Labels Across"));
  labelsAcrossEdit->setEditMask(QString::fromLatin1(kAcrossMask));
  grid->addWidget(captionFor(this, labelsAcrossEdit, QStringLiteral("No. Labels Across")), 4, 0);
  grid->addWidget(labelsAcrossEdit, 4, 1);
  column->addLayout(grid);

  continuousCheck = new QCheckBox(QStringLiteral("Continuous Pin Feed"), this);
  continuousCheck->setObjectName(QStringLiteral("continuousCheck"));
  continuousCheck->setAccessibleName(QStringLiteral("Continuous Pin Feed"));
  column->addWidget(continuousCheck);

  auto* buttons = new QHBoxLayout;
  saveButton = vt::ui::makeButton(this, "saveButton", QStringLiteral("Save"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", QStringLiteral("Cancel"));
  buttons->addStretch();
  buttons->addWidget(saveButton);
  buttons->addWidget(cancelButton);
  column->addLayout(buttons);
}

vt::ui::AmountEdit* TLabelDef::addDimension(QGridLayout* grid, int row, int column,
                                            const char* name, const QString& caption) {
  auto* field = new vt::ui::AmountEdit(this);
  field->setObjectName(QString::fromLatin1(name));
  field->setAccessibleName(caption);
  field->setDesignFormat(QString::fromLatin1(kDimensionMask), kDimensionFormat);
  field->setDialogs(&ui_.dialogs);
  vt::ui::WatchFieldExit(field, [this, field] { vt::ui::LeaveAmountField(*field, ui_.dialogs); });
  grid->addWidget(captionFor(this, field, caption), row, 2 * column);
  grid->addWidget(field, row, 2 * column + 1);
  return field;
}

std::array<vt::ui::AmountEdit*, LabelDim::Count> TLabelDef::dimensionEdits() const {
  return {topMarginEdit, leftMarginEdit, bottomMarginEdit,  rightMarginEdit,
          widthEdit,     heightEdit,     horizontalGapEdit, verticalGapEdit};
}

void TLabelDef::edit(long& current) {
  session_.CurLabel = current;
  if (FormShow()) exec();
  current = session_.CurLabel;
}

bool TLabelDef::FormShow() {
  if (session_.CurLabel > 0) {
    if (!vt::ui::LoadRecord(session_, session_.labels(), session_.CurLabel,
                            &vt::data::DataSession::LoadLabel, ui_.dialogs,
                            "read the label stock")) {
      return false;
    }
  } else {
    session_.Label = vt::data::LabelRecord{};
    session_.Label.NAcross = 1;
    session_.CurLabel = -1;
  }
  showStock();
  labelNameEdit->setFocus();
  return true;
}

void TLabelDef::showStock() {
  const vt::data::LabelRecord& stock = session_.Label;
  labelNameEdit->setText(QString::fromStdString(stock.Name).trimmed());
  const auto fields = dimensionEdits();
  for (size_t i = 0; i < fields.size(); ++i) fields[i]->setValue(stock.Dims[i]);
  labelsAcrossEdit->setText(QString::number(stock.NAcross));
  continuousCheck->setChecked(stock.Continuous);
}

std::optional<int> TLabelDef::labelsAcross() {
  const QString text = labelsAcrossEdit->text();
  bool ok = false;
  const int across = text.trimmed().toInt(&ok);
  if (ok) return across;
  ui_.dialogs.information("", "'" + text.toStdString() + "' is not a valid integer value");
  vt::ui::RefocusField(labelsAcrossEdit);
  return std::nullopt;
}

void TLabelDef::saveClicked() {
  const QString name = labelNameEdit->text().trimmed();
  if (name.isEmpty()) {
    ui_.dialogs.information("", kBlankName);
    return;
  }
  std::array<double, LabelDim::Count> dims{};
  const auto fields = dimensionEdits();
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::optional<double> value = vt::ui::AmountToSave(*fields[i], ui_.dialogs);
    if (!value) return;
    dims[i] = *value;
  }
  const std::optional<int> across = labelsAcross();
  if (!across) return;
  vt::data::LabelRecord stock;
  stock.Name = name.toStdString();
  stock.Dims = dims;
  stock.NAcross = *across;
  stock.Continuous = continuousCheck->isChecked();
  const std::string problem = StockProblem(stock, PaperOf(ui_.printers.printer().pageLayout()));
  if (!problem.empty()) {
    ui_.dialogs.information("", problem);
    return;
  }
  session_.Label = stock;
  if (vt::catalog::SaveEditedRecord(session_, vt::data::TableId::Labels, session_.CurLabel,
                                    &vt::data::DataSession::StoreLabel, ui_.dialogs,
                                    "save the label stock")) {
    accept();
  }
}

void TLabelDef::cancelClicked() {
  reject();
}

}  // namespace vt::labels
