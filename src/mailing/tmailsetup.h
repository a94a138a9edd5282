// TMailSetup, the window "E-mail Settings": the outgoing server, the
// sender, and the subject and body of each kind of document, kept in the
// data directory; the password kept in the desktop's secret store. "Send
// Test Message" sends a message to the sender's own address.
#pragma once

#include <QDialog>
#include <string>

#include "mail/mail_settings.h"
#include "mailing/mail_password_cache.h"
#include "ui/context.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace vt::mailing {

class TMailSetup : public QDialog {
  Q_OBJECT

 public:
  TMailSetup(QWidget* parent, vt::ui::UiContext& ui, MailPasswordCache& passwords);

  // Shows the settings of `dataDir` until saved or cancelled.
  void Run(const std::string& dataDir);

  QLineEdit* hostEdit = nullptr;
  QSpinBox* portSpin = nullptr;
  QComboBox* securityCombo = nullptr;
  QLineEdit* userEdit = nullptr;
  QLineEdit* passwordEdit = nullptr;
  QLineEdit* fromNameEdit = nullptr;
  QLineEdit* fromAddressEdit = nullptr;
  QCheckBox* ccSelfCheck = nullptr;
  QComboBox* kindCombo = nullptr;
  QLineEdit* subjectEdit = nullptr;
  QPlainTextEdit* bodyEdit = nullptr;
  QPushButton* testButton = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* helpButton = nullptr;

 public slots:
  void helpClicked();
  void saveClicked();
  void testClicked();
  void kindChosen(int index);

 private:
  void buildForm();
  void show(const mail::MailSettings& settings);
  // The settings as typed (the texts of the kind shown taken in).
  mail::MailSettings typed();
  // The settings checked, the password remembered; false when refused.
  bool takePassword(const mail::MailSettings& settings);

  vt::ui::UiContext& ui_;
  MailPasswordCache& passwords_;
  std::string dataDir_;
  mail::MailSettings settings_;
  int kindShown_ = 0;
};

}  // namespace vt::mailing
