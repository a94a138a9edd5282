// What the two settings windows (tax definition and stationary) share: a
// radio group that may have no choice, amount fields reformatted when the
// user leaves them, and the settings record written back.
#pragma once

#include <QGroupBox>
#include <QString>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/dialogs.h"
#include "data/data_session.h"
#include "ui/amount_edit.h"
#include "ui/amount_field_exit.h"

class QLineEdit;
class QRadioButton;

namespace vt::invoicing {

// A titled group of radio buttons of which at most one is checked.
class ChoiceGroup : public QGroupBox {
  Q_OBJECT

 public:
  struct Item {
    const char* name;
    QString text;
  };
  ChoiceGroup(const char* name, const QString& title, std::initializer_list<Item> items,
              QWidget* parent);

  // The checked item's index, -1 when none is.
  int index() const;
  // Checks item `i`; any other value leaves none checked.
  void setIndex(int i);
  QRadioButton* item(int i) const { return items_[static_cast<size_t>(i)]; }

 private:
  std::vector<QRadioButton*> items_;
};

// Leaving `field` reformats its number with its format; a text that is no
// number is told through `dialogs` and the focus goes back to the field.
void ReformatOnExit(vt::ui::AmountEdit& field, vt::base::Dialogs& dialogs);

// Lets each edit take no more than its settings field holds (at most the
// 59 characters a setting keeps), so what is typed is what is stored.
void LimitToSettingFields(vt::data::DataSession& session,
                          std::initializer_list<std::pair<QLineEdit*, const char*>> edits);

// A setting's text as an edit shows it, trimmed; and an edit's text as a
// setting keeps it, trimmed.
QString SettingText(const std::string& text);
std::string FieldSetting(const QLineEdit* edit);

// Rewrites the settings record from the settings variables; false, told,
// when it cannot be written.
bool WriteSettingsRecord(vt::data::DataSession& session, vt::base::Dialogs& dialogs);

}  // namespace vt::invoicing
