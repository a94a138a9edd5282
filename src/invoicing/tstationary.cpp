#include "invoicing/tstationary.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "base/text1252.h"
#include "invoicing/settings_window_support.h"
#include "ui/field_behaviour.h"
#include "ui/text_fields.h"
#include "ui/window_size.h"

namespace vt::invoicing {

namespace {

constexpr int kMeasureDigits = 2;
constexpr const char* kMeasureFormat = "%5.2f";
constexpr int kLineLength = 35;
constexpr int kShortLineLength = 25;
// The settings record's text width: a chosen logo path is never cut shorter.
constexpr int kSettingLength = 59;

bool isFile(const std::string& path) {
  return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
}

// Whether the settings record holds `path` whole (it is stored in
// Windows-1252).
bool fitsSetting(const std::string& path) {
  return vt::base::fromUtf8(path).size() <= static_cast<size_t>(kSettingLength);
}

}  // namespace

TStationary::TStationary(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui) {
  setObjectName("TStationary");
  setWindowTitle(tr("Stationary Setup"));
  build();
  layOut();
  resize(448, 349);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::enableEnterMovesFocus(this);
  connect(logoButton, &QPushButton::clicked, this, &TStationary::logoClicked);
  connect(saveButton, &QPushButton::clicked, this, &TStationary::saveClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TStationary::cancelClicked);
  connect(helpButton, &QPushButton::clicked, this, &TStationary::helpClicked);
}

QLineEdit* TStationary::textEdit(const char* name, const QString& accessibleName, int maxLength) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  edit->setAccessibleName(accessibleName);
  edit->setMaxLength(maxLength);
  return edit;
}

vt::ui::AmountEdit* TStationary::measureEdit(const char* name, const QString& accessibleName) {
  auto* edit = new vt::ui::AmountEdit(this);
  edit->setObjectName(name);
  edit->setAccessibleName(accessibleName);
  edit->setDialogs(&ui_.dialogs);
  ReformatOnExit(*edit, ui_.dialogs);
  return edit;
}

void TStationary::build() {
  logoButton = vt::ui::makeButton(this, "logoButton", tr("Logo File"));
  logoFileEdit = textEdit("logoFileEdit", tr("Logo File"), kSettingLength);
  logoFileEdit->setFocusPolicy(Qt::ClickFocus);
  topMarginEdit = measureEdit("topMarginEdit", tr("Top Margin"));
  logoHeightEdit = measureEdit("logoHeightEdit", tr("Logo Height"));
  logoWidthEdit = measureEdit("logoWidthEdit", tr("Width"));
  // Only the top margin is shown red when negative.
  logoHeightEdit->setRedWhenNegative(false);
  logoWidthEdit->setRedWhenNegative(false);
  companyEdit = textEdit("companyEdit", tr("Company Name"), kLineLength);
  address1Edit = textEdit("address1Edit", tr("Address"), kLineLength);
  address2Edit = textEdit("address2Edit", tr("Address, second line"), kLineLength);
  address3Edit = textEdit("address3Edit", tr("Address, third line"), kLineLength);
  address4Edit = textEdit("address4Edit", tr("Address, fourth line"), kShortLineLength);
  closingLineEdit = textEdit("closingLineEdit", tr("Closing Line"), kShortLineLength);
  signatureLineEdit = textEdit("signatureLineEdit", tr("Signature Line"), kSettingLength);
  justificationGroup = new ChoiceGroup(
      "justificationGroup", tr(" Justification "),
      {{"leftRadio", tr("Left")}, {"centerRadio", tr("Center")}, {"rightRadio", tr("Right")}},
      this);
  leftRadio = justificationGroup->item(0);
  centerRadio = justificationGroup->item(1);
  rightRadio = justificationGroup->item(2);
  saveButton = vt::ui::makeButton(this, "saveButton", tr("Save"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  helpButton = vt::ui::makeButton(this, "helpButton", tr("Help"));

  QWidget* const order[] = {logoButton,   topMarginEdit,   logoHeightEdit,    logoWidthEdit,
                            companyEdit,  address1Edit,    address2Edit,      address3Edit,
                            address4Edit, closingLineEdit, signatureLineEdit, leftRadio,
                            saveButton,   cancelButton,    helpButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TStationary::layOut() {
  auto* grid = new QGridLayout(this);
  const auto labelled = [&](const QString& text, QWidget* field, int row, int column) {
    auto* label = new QLabel(text, this);
    label->setBuddy(field);
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
  };
  grid->addWidget(logoButton, 0, 0);
  grid->addWidget(logoFileEdit, 0, 1, 1, 3);
  labelled(tr("Top Margin:"), topMarginEdit, 1, 0);
  grid->addWidget(new QLabel(tr("Inches"), this), 1, 2);
  labelled(tr("Logo Height:"), logoHeightEdit, 2, 0);
  labelled(tr("Width:"), logoWidthEdit, 2, 2);
  grid->addWidget(new QLabel(tr("Inches"), this), 2, 4);
  labelled(tr("Company Name:"), companyEdit, 3, 0);
  labelled(tr("Address:"), address1Edit, 4, 0);
  grid->addWidget(address2Edit, 5, 1);
  grid->addWidget(address3Edit, 6, 1);
  grid->addWidget(address4Edit, 7, 1);
  grid->addWidget(justificationGroup, 4, 2, 4, 3);
  labelled(tr("Closing Line:"), closingLineEdit, 8, 0);
  labelled(tr("Signature Line:"), signatureLineEdit, 9, 0);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {saveButton, cancelButton, helpButton}) buttons->addWidget(button);
  grid->addLayout(buttons, 10, 0, 1, 5);
  grid->setColumnStretch(1, 1);
}

void TStationary::run() {
  FormShow();
  exec();
}

void TStationary::FormShow() {
  const vt::data::Settings& settings = session_.settings;
  const std::pair<vt::ui::AmountEdit*, double> measures[] = {{topMarginEdit, settings.TopMargin},
                                                             {logoHeightEdit, settings.LogoHeight},
                                                             {logoWidthEdit, settings.LogoWidth}};
  for (const auto& [edit, value] : measures) {
    edit->setAmountFormat(kMeasureDigits, kMeasureFormat);
    edit->setValue(value);
  }
  logoFileEdit->setText(SettingText(settings.LogoFile));
  const std::pair<QLineEdit*, const std::string*> texts[] = {
      {companyEdit, &settings.Company},      {address1Edit, &settings.Addr1},
      {address2Edit, &settings.Addr2},       {address3Edit, &settings.Addr3},
      {address4Edit, &settings.Addr4},       {closingLineEdit, &settings.CloLine},
      {signatureLineEdit, &settings.SigLine}};
  for (const auto& [edit, text] : texts) edit->setText(SettingText(*text));
  justificationGroup->setIndex(
      settings.LHJustify == 2 || settings.LHJustify == 3 ? settings.LHJustify - 1 : 0);
  logoButton->setFocus();
}

void TStationary::logoClicked() {
  // The data files are opened from the working directory: a file dialog
  // that moved it must not leave it moved.
  const QString directory = QDir::currentPath();
  const std::optional<std::string> chosen = ui_.dialogs.openFile("", kLogoFilter);
  QDir::setCurrent(directory);
  if (chosen && !fitsSetting(*chosen)) {
    ui_.dialogs.information("", TStationary::kLogoPathTooLong);
    return;
  }
  // Cancelling keeps the logo named before, when it still exists.
  const std::string name = chosen ? *chosen : vt::base::trim(session_.settings.LogoFile);
  if (isFile(name)) {
    session_.settings.LogoFile = name;
    logoFileEdit->setText(QString::fromStdString(name));
  } else {
    logoFileEdit->clear();
  }
}

void TStationary::saveClicked() {
  double measures[3] = {};
  vt::ui::AmountEdit* const fields[] = {topMarginEdit, logoHeightEdit, logoWidthEdit};
  for (size_t i = 0; i < std::size(fields); ++i) {
    const std::optional<double> value = vt::ui::AmountToSave(*fields[i], ui_.dialogs);
    if (!value) return;
    measures[i] = *value;
  }
  vt::data::Settings& settings = session_.settings;
  settings.TopMargin = measures[0];
  settings.LogoHeight = measures[1];
  settings.LogoWidth = measures[2];
  settings.LogoFile = FieldSetting(logoFileEdit);
  if (!isFile(settings.LogoFile)) settings.LogoFile.clear();
  settings.Company = FieldSetting(companyEdit);
  settings.Addr1 = FieldSetting(address1Edit);
  settings.Addr2 = FieldSetting(address2Edit);
  settings.Addr3 = FieldSetting(address3Edit);
  settings.Addr4 = FieldSetting(address4Edit);
  settings.CloLine = FieldSetting(closingLineEdit);
  settings.SigLine = FieldSetting(signatureLineEdit);
  settings.LHJustify = justificationGroup->index() + 1;
  if (WriteSettingsRecord(session_, ui_.dialogs)) accept();
}

void TStationary::cancelClicked() {
  reject();
}

void TStationary::helpClicked() {
  ui_.help.showContext(kHelpContext);
}

}  // namespace vt::invoicing
