#include "invoicing/ttaxdef.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "invoicing/settings_window_support.h"
#include "ui/field_behaviour.h"
#include "ui/text_fields.h"
#include "ui/window_size.h"

namespace vt::invoicing {

namespace {

constexpr int kRateDigits = 2;
constexpr const char* kRateFormat = "%5.2f";

QLabel* boldLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

TTaxDef::TTaxDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui) {
  setObjectName("TTaxDef");
  setWindowTitle(tr("Tax Definition"));
  build();
  resize(427, 282);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::enableEnterMovesFocus(this);
  for (vt::ui::AmountEdit* rate : {tax1RateEdit, tax2RateEdit}) {
    rate->setDialogs(&ui_.dialogs);
    ReformatOnExit(*rate, ui_.dialogs);
  }
  connect(saveButton, &QPushButton::clicked, this, &TTaxDef::saveClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TTaxDef::cancelClicked);
  connect(helpButton, &QPushButton::clicked, this, &TTaxDef::helpClicked);
}

void TTaxDef::build() {
  const QString row1 = tr("Computed 1");
  const QString row2 = tr("Computed 2");
  tax1LabelEdit = new QLineEdit(this);
  tax1LabelEdit->setObjectName("tax1LabelEdit");
  tax2LabelEdit = new QLineEdit(this);
  tax2LabelEdit->setObjectName("tax2LabelEdit");
  tax1RateEdit = new vt::ui::AmountEdit(this);
  tax1RateEdit->setObjectName("tax1RateEdit");
  tax1RateEdit->setAccessibleName(row1 + " " + tr("Percentage"));
  tax2RateEdit = new vt::ui::AmountEdit(this);
  tax2RateEdit->setObjectName("tax2RateEdit");
  tax2RateEdit->setAccessibleName(row2 + " " + tr("Percentage"));
  tax2OnTax1Group = new ChoiceGroup("tax2OnTax1Group", tr("Tax 2 charged on Tax 1"),
                                    {{"tax2OnTax1NoRadio", tr("No")},
                                     {"tax2OnTax1YesRadio", tr("Yes")},
                                     {"tax2OnTax1WithItemsRadio", tr("When Tax on Items")}},
                                    this);
  roundingGroup = new ChoiceGroup("roundingGroup", tr(" Round Computed Tax "),
                                  {{"roundNormalRadio", tr("Normal")},
                                   {"roundUpRadio", tr("Up")},
                                   {"roundDownRadio", tr("Down")}},
                                  this);
  for (ChoiceGroup* group : {tax2OnTax1Group, roundingGroup}) {
    QFont font = group->font();
    font.setBold(true);
    group->setFont(font);
  }
  saveButton = vt::ui::makeButton(this, "saveButton", tr("Save"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  helpButton = vt::ui::makeButton(this, "helpButton", tr("Help"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(boldLabel(tr("Line Label"), this), 0, 1);
  grid->addWidget(boldLabel(tr("Percentage"), this), 0, 2);
  const std::pair<QLineEdit*, vt::ui::AmountEdit*> rows[] = {{tax1LabelEdit, tax1RateEdit},
                                                             {tax2LabelEdit, tax2RateEdit}};
  const QString captions[] = {row1, row2};
  for (int i = 0; i < 2; ++i) {
    QLabel* caption = boldLabel(captions[i], this);
    caption->setBuddy(rows[i].first);
    rows[i].first->setAccessibleName(captions[i]);
    grid->addWidget(caption, i + 1, 0);
    grid->addWidget(rows[i].first, i + 1, 1);
    grid->addWidget(rows[i].second, i + 1, 2);
  }
  grid->addWidget(tax2OnTax1Group, 3, 0, 1, 2);
  grid->addWidget(roundingGroup, 3, 2);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {saveButton, cancelButton, helpButton}) buttons->addWidget(button);
  grid->addLayout(buttons, 4, 0, 1, 3);
  grid->setColumnStretch(1, 1);

  QWidget* const order[] = {
      tax1LabelEdit,          tax1RateEdit, tax2LabelEdit, tax2RateEdit, tax2OnTax1Group->item(0),
      roundingGroup->item(0), saveButton,   cancelButton,  helpButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TTaxDef::run() {
  FormShow();
  exec();
}

void TTaxDef::FormShow() {
  const vt::data::Settings& settings = session_.settings;
  tax1RateEdit->setAmountFormat(kRateDigits, kRateFormat);
  tax2RateEdit->setAmountFormat(kRateDigits, kRateFormat);
  LimitToSettingFields(session_, {{tax1LabelEdit, "ShipLine"}, {tax2LabelEdit, "TaxLine"}});
  tax1LabelEdit->setText(SettingText(settings.ShipLine));
  tax2LabelEdit->setText(SettingText(settings.TaxLine));
  tax1RateEdit->setValue(settings.TaxRate1);
  tax2RateEdit->setValue(settings.TaxRate2);
  tax2OnTax1Group->setIndex(settings.ShipTax - 1);
  roundingGroup->setIndex(settings.TaxRound - 1);
  tax1LabelEdit->setFocus();
}

void TTaxDef::saveClicked() {
  const std::optional<double> rate1 = vt::ui::AmountToSave(*tax1RateEdit, ui_.dialogs);
  if (!rate1) return;
  const std::optional<double> rate2 = vt::ui::AmountToSave(*tax2RateEdit, ui_.dialogs);
  if (!rate2) return;
  vt::data::Settings& settings = session_.settings;
  settings.ShipLine = FieldSetting(tax1LabelEdit);
  settings.TaxLine = FieldSetting(tax2LabelEdit);
  settings.TaxRate1 = *rate1;
  settings.TaxRate2 = *rate2;
  settings.ShipTax = tax2OnTax1Group->index() + 1;
  settings.TaxRound = roundingGroup->index() + 1;
  if (WriteSettingsRecord(session_, ui_.dialogs)) accept();
}

void TTaxDef::cancelClicked() {
  reject();
}

void TTaxDef::helpClicked() {
  ui_.help.showContext(kHelpContext);
}

}  // namespace vt::invoicing
