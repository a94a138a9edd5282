// The Preferences page: the report font, the printer choice and the two
// display preferences, each written to the settings record at once.
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/status.h"
#include "shell/app_state.h"
#include "shell/picture_button.h"
#include "shell/report_font.h"
#include "shell/tmain.h"
#include "ui/printer_state.h"

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
  group->setAccessibleName(hint);
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
  Edit1 = readOnlyEdit("Edit1", tr("Report font"), shape);
  Edit2 = readOnlyEdit("Edit2", tr("Printer for reports"), shape);
  GroupBox1 = radioGroup("GroupBox1", tr(" Display - Sort Customers "),
                         tr("Select how customers are displayed in pick lists"), RadioButton1,
                         "RadioButton1", tr("By Name"), RadioButton2, "RadioButton2",
                         tr("By Company Name"), shape);
  GroupBox2 = radioGroup("GroupBox2", tr(" Inventory Method "), tr("Select Inventory Method"),
                         RadioButton3, "RadioButton3", tr("First in - First out"), RadioButton4,
                         "RadioButton4", tr("Last in - First out"), shape);

  QGridLayout* grid = page.grid;
  grid->addWidget(button("BtnFont"), 0, 0, Qt::AlignCenter);
  grid->addWidget(Edit1, 0, 1, 1, 3);
  grid->addWidget(button("BtnPSetup"), 1, 0, Qt::AlignCenter);
  grid->addWidget(Edit2, 1, 1, 1, 3);
  grid->addWidget(GroupBox1, 2, 0, 1, 2);
  grid->addWidget(GroupBox2, 2, 2, 1, 2);
  grid->addWidget(button("BtnStationary"), 3, 0, Qt::AlignCenter);
  grid->addWidget(button("BtnSTax"), 3, 1, Qt::AlignCenter);
  grid->addWidget(button("BtnLabForms"), 3, 2, Qt::AlignCenter);

  // Tab goes through the page as it reads.
  QWidget* const order[] = {button("BtnFont"),
                            Edit1,
                            button("BtnPSetup"),
                            Edit2,
                            RadioButton1,
                            RadioButton2,
                            RadioButton3,
                            RadioButton4,
                            button("BtnStationary"),
                            button("BtnSTax"),
                            button("BtnLabForms"),
                            page.help};
  for (size_t i = 1; i < std::size(order); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

void TMain::ShowPreferences() {
  const data::Settings& settings = state_.session()->settings;
  Edit1->setText(FontText(state_.ReportFont));
  if (state_.ui.printers.available()) Edit2->setText(state_.ui.printers.describe());
  (settings.ByCust ? RadioButton1 : RadioButton2)->setChecked(true);
  (settings.fifo ? RadioButton3 : RadioButton4)->setChecked(true);
}

void TMain::BtnFontClick() {
  data::DataSession* session = state_.session();
  if (!session) return;
  if (const auto chosen = state_.ui.dialogs.chooseFont(ToFontSpec(state_.ReportFont))) {
    state_.ReportFont = FromFontSpec(*chosen);
  }
  Edit1->setText(FontText(state_.ReportFont));
  StoreReportFont(state_.ReportFont, session->settings);
  SaveSettings();
}

void TMain::BtnPSetupClick() {
  state_.ui.dialogs.printerSetup();
  if (state_.ui.printers.available()) Edit2->setText(state_.ui.printers.describe());
}

void TMain::GroupBox1Exit() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->settings.ByCust = RadioButton1->isChecked();
  SaveSettings();
}

void TMain::GroupBox2Exit() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->settings.fifo = RadioButton3->isChecked();
  SaveSettings();
}

void TMain::SaveSettings() {
  data::DataSession& session = *state_.session();
  if (!session.OpenSettings()) return;
  const int status = session.WriteSettings();
  session.CloseSettings();
  if (status < 0) {
    state_.ui.dialogs.information(
        "", std::string("Unable to save the settings: ") + engine::statusText(status));
  }
}

void TMain::focusMoved(QWidget* old, QWidget* now) {
  if (leaves(GroupBox1, old, now)) GroupBox1Exit();
  if (leaves(GroupBox2, old, now)) GroupBox2Exit();
}

}  // namespace vt::shell
