// The Preferences page: the report font, the printer choice and the two
// display preferences, each written to the settings record at once.
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "invoicing/settings_window_support.h"
#include "invoicing/tstationary.h"
#include "invoicing/ttaxdef.h"
#include "mailing/tmailsetup.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/picture_button.h"
#include "shell/tmain.h"
#include "ui/printer_state.h"
#include "ui/report_font.h"

namespace vt::shell {

namespace {

QLineEdit* readOnlyEdit(const char* name, const QString& description, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setAccessibleName(description);
  edit->setToolTip(description);
  return edit;
}

QGroupBox* radioGroup(const char* name, const QString& title, const QString& hint,
                      QRadioButton*& first, const char* firstName, const QString& firstText,
                      QRadioButton*& second, const char* secondName, const QString& secondText,
                      QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(name);
  group->setToolTip(hint);
  group->setAccessibleName(title.trimmed());
  group->setAccessibleDescription(hint);
  first = new QRadioButton(firstText, group);
  first->setObjectName(firstName);
  second = new QRadioButton(secondText, group);
  second->setObjectName(secondName);
  auto* column = new QVBoxLayout(group);
  column->addWidget(first);
  column->addWidget(second);
  return group;
}

// The focus went from inside `group` to a control of the same window
// outside it.
bool leaves(const QWidget* group, const QWidget* old, const QWidget* now) {
  return old && now && group->isAncestorOf(old) && !group->isAncestorOf(now) &&
         now->window() == group->window();
}

}  // namespace

void TMain::buildPreferences(const BuiltPage& page) {
  QWidget* shape = page.shape;
  reportFontEdit = readOnlyEdit("reportFontEdit", tr("Report font"), shape);
  printerEdit = readOnlyEdit("printerEdit", tr("Printer for reports"), shape);
  customerSortGroup = radioGroup(
      "customerSortGroup", tr(" Display - Sort Customers "),
      tr("Select how customers are displayed in pick lists"), sortByNameRadio, "sortByNameRadio",
      tr("By Name"), sortByCompanyRadio, "sortByCompanyRadio", tr("By Company Name"), shape);
  inventoryMethodGroup =
      radioGroup("inventoryMethodGroup", tr(" Inventory Method "), tr("Select Inventory Method"),
                 fifoRadio, "fifoRadio", tr("First in - First out"), lifoRadio, "lifoRadio",
                 tr("Last in - First out"), shape);

  QGridLayout* grid = page.grid;
  grid->addWidget(button("reportFontButton"), 0, 0, Qt::AlignCenter);
  grid->addWidget(reportFontEdit, 0, 1, 1, 3);
  grid->addWidget(button("printerSetupButton"), 1, 0, Qt::AlignCenter);
  grid->addWidget(printerEdit, 1, 1, 1, 3);
  grid->addWidget(customerSortGroup, 2, 0, 1, 2);
  grid->addWidget(inventoryMethodGroup, 2, 2, 1, 2);
  grid->addWidget(button("stationeryButton"), 3, 0, Qt::AlignCenter);
  grid->addWidget(button("salesTaxButton"), 3, 1, Qt::AlignCenter);
  grid->addWidget(button("labelFormsButton"), 3, 2, Qt::AlignCenter);
  grid->addWidget(button("emailSettingsButton"), 3, 3, Qt::AlignCenter);

  // Tab goes through the page as it reads.
  QWidget* const order[] = {button("reportFontButton"),
                            reportFontEdit,
                            button("printerSetupButton"),
                            printerEdit,
                            sortByNameRadio,
                            sortByCompanyRadio,
                            fifoRadio,
                            lifoRadio,
                            button("stationeryButton"),
                            button("salesTaxButton"),
                            button("labelFormsButton"),
                            button("emailSettingsButton"),
                            page.help};
  for (size_t i = 1; i < std::size(order); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

void TMain::ShowPreferences() {
  const data::Settings& settings = state_.session()->settings;
  reportFontEdit->setText(ui::FontText(state_.ReportFont));
  if (state_.ui.printers.available()) printerEdit->setText(state_.ui.printers.describe());
  (settings.ByCust ? sortByNameRadio : sortByCompanyRadio)->setChecked(true);
  (settings.fifo ? fifoRadio : lifoRadio)->setChecked(true);
}

void TMain::reportFontClicked() {
  data::DataSession* session = state_.session();
  if (!session) return;
  if (const auto chosen = state_.ui.dialogs.chooseFont(ui::ToFontSpec(state_.ReportFont))) {
    state_.ReportFont = ui::FromFontSpec(*chosen);
  }
  reportFontEdit->setText(ui::FontText(state_.ReportFont));
  ui::StoreReportFont(state_.ReportFont, session->settings);
  SaveSettings();
}

void TMain::printerSetupClicked() {
  state_.ui.dialogs.printerSetup();
  if (state_.ui.printers.available()) printerEdit->setText(state_.ui.printers.describe());
}

void TMain::customerSortLeft() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->settings.ByCust = sortByNameRadio->isChecked();
  SaveSettings();
}

void TMain::inventoryMethodLeft() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->settings.fifo = fifoRadio->isChecked();
  SaveSettings();
}

void TMain::SaveSettings() {
  invoicing::WriteSettingsRecord(*state_.session(), state_.ui.dialogs);
}

void TMain::stationeryClicked() {
  if (stationary_) stationary_->run();
}

void TMain::emailSettingsClicked() {
  if (catalog_) catalog_->MailSetup->Run(state_.directory());
}

void TMain::salesTaxClicked() {
  if (taxDef_) taxDef_->run();
}

void TMain::focusMoved(QWidget* old, QWidget* now) {
  if (leaves(customerSortGroup, old, now)) customerSortLeft();
  if (leaves(inventoryMethodGroup, old, now)) inventoryMethodLeft();
}

}  // namespace vt::shell
