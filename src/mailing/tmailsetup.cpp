#include "mailing/tmailsetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/io.h"
#include "mail/mail_message.h"
#include "mail/smtp_session.h"
#include "mailing/tmaildocs.h"
#include "ui/help_viewer.h"

namespace vt::mailing {

namespace {

constexpr const char* kCaption = "E-mail Settings";

template <typename W>
W* Named(W* widget, const char* name, const QString& accessible) {
  widget->setObjectName(name);
  widget->setAccessibleName(accessible);
  return widget;
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string S(const QString& text) {
  return text.trimmed().toStdString();
}

}  // namespace

TMailSetup::TMailSetup(QWidget* parent, vt::ui::UiContext& ui, MailPasswordCache& passwords)
    : QDialog(parent), ui_(ui), passwords_(passwords) {
  setObjectName("TMailSetup");
  setWindowTitle(tr(kCaption));
  buildForm();
}

void TMailSetup::buildForm() {
  hostEdit = Named(new QLineEdit(this), "hostEdit", tr("Outgoing server"));
  portSpin = Named(new QSpinBox(this), "portSpin", tr("Port"));
  portSpin->setRange(1, 65535);
  securityCombo = Named(new QComboBox(this), "securityCombo", tr("Security"));
  securityCombo->addItems({tr("None"), tr("STARTTLS"), tr("SSL/TLS")});
  userEdit = Named(new QLineEdit(this), "userEdit", tr("User name"));
  passwordEdit = Named(new QLineEdit(this), "passwordEdit", tr("Password"));
  passwordEdit->setEchoMode(QLineEdit::Password);
  passwordEdit->setPlaceholderText(tr("kept in the desktop's secret store"));
  fromNameEdit = Named(new QLineEdit(this), "fromNameEdit", tr("Sender's name"));
  fromAddressEdit = Named(new QLineEdit(this), "fromAddressEdit", tr("Sender's address"));
  ccSelfCheck = Named(new QCheckBox(tr("Send me a copy of every message"), this), "ccSelfCheck",
                      tr("Send me a copy of every message"));
  kindCombo = Named(new QComboBox(this), "kindCombo", tr("Text for"));
  kindCombo->addItems({tr("Invoices"), tr("Bills"), tr("Statements")});
  subjectEdit = Named(new QLineEdit(this), "subjectEdit", tr("Subject"));
  bodyEdit = Named(new QPlainTextEdit(this), "bodyEdit", tr("Message"));
  bodyEdit->setToolTip(tr("Fields: {company} {customer} {number} {date} {total} {due}"));
  subjectEdit->setToolTip(bodyEdit->toolTip());
  testButton =
      Named(new QPushButton(tr("Send &Test Message"), this), "testButton", tr("Send Test Message"));
  saveButton = Named(new QPushButton(tr("&Save"), this), "saveButton", tr("Save"));
  saveButton->setDefault(true);
  cancelButton = Named(new QPushButton(tr("Cancel"), this), "cancelButton", tr("Cancel"));
  connect(saveButton, &QPushButton::clicked, this, &TMailSetup::saveClicked);
  connect(testButton, &QPushButton::clicked, this, &TMailSetup::testClicked);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  helpButton = Named(new QPushButton(tr("&Help"), this), "helpButton", tr("Help"));
  connect(helpButton, &QPushButton::clicked, this, &TMailSetup::helpClicked);
  connect(kindCombo, &QComboBox::currentIndexChanged, this, &TMailSetup::kindChosen);
  auto* form = new QFormLayout;
  form->addRow(tr("Outgoing &server:"), hostEdit);
  form->addRow(tr("&Port:"), portSpin);
  form->addRow(tr("Se&curity:"), securityCombo);
  form->addRow(tr("&User name:"), userEdit);
  form->addRow(tr("Pass&word:"), passwordEdit);
  form->addRow(tr("Sender's &name:"), fromNameEdit);
  form->addRow(tr("Sender's &address:"), fromAddressEdit);
  form->addRow(QString(), ccSelfCheck);
  form->addRow(tr("Te&xt for:"), kindCombo);
  form->addRow(tr("Su&bject:"), subjectEdit);
  form->addRow(tr("&Message:"), bodyEdit);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(testButton);
  buttons->addStretch(1);
  buttons->addWidget(saveButton);
  buttons->addWidget(cancelButton);
  buttons->addWidget(helpButton);
  auto* column = new QVBoxLayout(this);
  column->addLayout(form);
  column->addLayout(buttons);
}

void TMailSetup::Run(const std::string& dataDir) {
  dataDir_ = dataDir;
  if (const std::string wrong =
          mail::LoadMailSettings(engine::realFileSystem(), dataDir, settings_);
      !wrong.empty()) {
    // The file is kept as it is until the user saves new settings.
    ui_.dialogs.information(kCaption, wrong + "\nThe settings shown are the defaults.");
  }
  show(settings_);
  exec();
}

void TMailSetup::show(const mail::MailSettings& s) {
  hostEdit->setText(Q(s.host));
  portSpin->setValue(s.port);
  securityCombo->setCurrentIndex(static_cast<int>(s.security));
  userEdit->setText(Q(s.user));
  passwordEdit->clear();
  fromNameEdit->setText(Q(s.fromName));
  fromAddressEdit->setText(Q(s.fromAddress));
  ccSelfCheck->setChecked(s.ccSelf);
  kindShown_ = 0;
  const QSignalBlocker quiet(kindCombo);
  kindCombo->setCurrentIndex(0);
  subjectEdit->setText(Q(s.texts[0].subject));
  bodyEdit->setPlainText(Q(s.texts[0].body));
  hostEdit->setFocus();
}

void TMailSetup::helpClicked() {
  ui_.help.showContext(kMailHelpContext);
}

void TMailSetup::kindChosen(int index) {
  settings_.texts[static_cast<size_t>(kindShown_)] = {subjectEdit->text().toStdString(),
                                                      bodyEdit->toPlainText().toStdString()};
  kindShown_ = index;
  subjectEdit->setText(Q(settings_.texts[static_cast<size_t>(index)].subject));
  bodyEdit->setPlainText(Q(settings_.texts[static_cast<size_t>(index)].body));
}

mail::MailSettings TMailSetup::typed() {
  mail::MailSettings s = settings_;
  s.host = S(hostEdit->text());
  s.port = portSpin->value();
  s.security = static_cast<mail::Security>(securityCombo->currentIndex());
  s.user = S(userEdit->text());
  s.fromName = S(fromNameEdit->text());
  s.fromAddress = S(fromAddressEdit->text());
  s.ccSelf = ccSelfCheck->isChecked();
  s.texts[static_cast<size_t>(kindShown_)] = {subjectEdit->text().toStdString(),
                                              bodyEdit->toPlainText().toStdString()};
  return s;
}

bool TMailSetup::takePassword(const mail::MailSettings& s) {
  if (const std::string wrong = mail::CheckMailSettings(s); !wrong.empty()) {
    ui_.dialogs.information(kCaption, wrong);
    return false;
  }
  if (passwordEdit->text().isEmpty() || s.user.empty()) return true;
  const std::string why = passwords_.Remember(dataDir_, s, passwordEdit->text().toStdString());
  if (!why.empty()) {
    ui_.dialogs.information(kCaption, "No secret store is running (" + why +
                                          "): the password is kept until the program closes.");
  }
  passwordEdit->clear();
  return true;
}

void TMailSetup::saveClicked() {
  const mail::MailSettings s = typed();
  if (!takePassword(s)) return;
  if (const std::string failed = mail::SaveMailSettings(engine::realFileSystem(), dataDir_, s);
      !failed.empty()) {
    ui_.dialogs.information(kCaption, failed);
    return;
  }
  settings_ = s;
  accept();
}

void TMailSetup::testClicked() {
  const mail::MailSettings s = typed();
  if (!takePassword(s)) return;
  const std::optional<std::string> password = passwords_.For(dataDir_, s, ui_.dialogs);
  if (!password) return;
  const mail::SendResult result = mail::SendTestMessage(s, *password, s.fromAddress);
  ui_.dialogs.information(kCaption, result.sent
                                        ? "The test message was sent to " + s.fromAddress + "."
                                        : "The test message was not sent: " + result.reply);
}

}  // namespace vt::mailing
