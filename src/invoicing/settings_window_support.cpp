#include "invoicing/settings_window_support.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/text1252.h"
#include "engine/engine.h"
#include "engine/status.h"

namespace vt::invoicing {

ChoiceGroup::ChoiceGroup(const char* name, const QString& title, std::initializer_list<Item> items,
                         QWidget* parent)
    : QGroupBox(title, parent) {
  setObjectName(name);
  setAccessibleName(title.trimmed());
  auto* column = new QVBoxLayout(this);
  for (const Item& item : items) {
    auto* radio = new QRadioButton(item.text, this);
    radio->setObjectName(item.name);
    radio->setAccessibleName(item.text);
    column->addWidget(radio);
    items_.push_back(radio);
  }
}

int ChoiceGroup::index() const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->isChecked()) return static_cast<int>(i);
  }
  return -1;
}

void ChoiceGroup::setIndex(int i) {
  // Auto-exclusive radio buttons refuse to be unchecked one by one.
  for (QRadioButton* radio : items_) radio->setAutoExclusive(false);
  for (size_t n = 0; n < items_.size(); ++n) items_[n]->setChecked(static_cast<int>(n) == i);
  for (QRadioButton* radio : items_) radio->setAutoExclusive(true);
}

void ReformatOnExit(vt::ui::AmountEdit& field, vt::base::Dialogs& dialogs) {
  vt::ui::WatchFieldExit(&field, [&field, &dialogs] { vt::ui::LeaveAmountField(field, dialogs); });
}

QString SettingText(const std::string& text) {
  return QString::fromStdString(vt::base::trim(text));
}

std::string FieldSetting(const QLineEdit* edit) {
  return edit->text().trimmed().toStdString();
}

void LimitToSettingFields(vt::data::DataSession& session,
                          std::initializer_list<std::pair<QLineEdit*, const char*>> edits) {
  constexpr int kLongestSetting = 59;
  if (!session.OpenSettings()) return;
  vt::engine::Table* settings = session.table(vt::data::TableId::Settings);
  for (const auto& [edit, name] : edits) {
    const vt::engine::Field* field = settings ? settings->field(name) : nullptr;
    edit->setMaxLength(field ? std::min(field->length(), kLongestSetting) : kLongestSetting);
  }
  session.CloseSettings();
}

bool WriteSettingsRecord(vt::data::DataSession& session, vt::base::Dialogs& dialogs) {
  if (!session.OpenSettings()) return false;
  const int status = session.WriteSettings();
  session.CloseSettings();
  if (status < 0) {
    dialogs.information(
        "", std::string("Unable to save the settings: ") + vt::engine::statusText(status));
    return false;
  }
  return true;
}

}  // namespace vt::invoicing
