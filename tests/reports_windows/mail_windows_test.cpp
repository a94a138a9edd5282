// Sending from the windows as a user does: the E-mail Settings window keeps
// what was typed in the data directory and refuses a sender that is not an
// address; "E-mail..." lists the documents with their customers' addresses,
// refuses an address that is not one, sends to the addresses as edited and
// says what went where.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "customer_test_support.h"
#include "demo_test_support.h"
#include "engine/io.h"
#include "invoicing/locale_view_texts.h"
#include "mail/mail_settings.h"
#include "mailing/document_mailer.h"
#include "mailing/tmaildocs.h"
#include "mailing/tmailsetup.h"
#include "reports/customer_documents.h"
#include "reports/printer_metrics.h"
#include "smtp_test_server.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"
#include "ui/session_options.h"

namespace vt::mailing {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::TypeInto;

class MailWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    data::testing::makeDemoDir(path());
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string path() { return dir_->path().toStdString() + "/data"; }

  void SetUp() override {
    session =
        std::make_unique<data::DataSession>(path(), dialogs, exit, ui::LocaleSessionOptions());
    ASSERT_TRUE(session->OpenCustomers() && session->OpenGroups() && session->OpenInvoices() &&
                session->OpenItems() && session->OpenPayments() && session->OpenProducts());
  }

  // The statements of customers 1 and 2.
  reports::ReportDoc statements() {
    const auto metrics = reports::CurrentPageMetrics(printers, font);
    reports::ReportDoc doc;
    reports::CustomerDocuments documents(*session, doc, *metrics, texts);
    documents.StartStatementReport();
    engine::Table& customers = *session->customers();
    customers.selectTag(customers.tag("CCNO"));
    for (const char* key : {"     1", "     2"}) {
      EXPECT_EQ(customers.seek(key), engine::Result::Success);
      EXPECT_EQ(documents.StatementOf(static_cast<long>(customers.recNo())), 0);
    }
    return doc;
  }

  static QTemporaryDir* dir_;
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  ui::UiContext ui{dialogs, printers, help};
  QFont font{"DejaVu Sans Mono", 10};
  invoicing::LocaleViewTexts texts;
  MailPasswordCache passwords;
  std::unique_ptr<data::DataSession> session;
};

QTemporaryDir* MailWindows::dir_ = nullptr;

TEST_F(MailWindows, SettingsAreKeptAsTypedAndABadSenderRefused) {
  TMailSetup setup(nullptr, ui, passwords);
  ModalScript script;
  script.on<TMailSetup>([&](TMailSetup& window) {
    TypeInto(window.hostEdit, "127.0.0.1");
    window.portSpin->setValue(2525);
    window.securityCombo->setCurrentIndex(0);
    TypeInto(window.fromNameEdit, "Lakeside Office");
    TypeInto(window.fromAddressEdit, "office at lakeside");
    Click(window.saveButton);
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown().back().text, "The sender's address is not an e-mail address.");
    EXPECT_TRUE(window.isVisible());
    TypeInto(window.fromAddressEdit, "office@lakeside.example");
    window.kindCombo->setCurrentIndex(2);
    TypeInto(window.subjectEdit, "Your statement, {customer}");
    Click(window.saveButton);
  });
  EXPECT_TRUE(script.run([&] { setup.Run(path()); }));
  mail::MailSettings kept;
  ASSERT_EQ(mail::LoadMailSettings(engine::realFileSystem(), path(), kept), "");
  EXPECT_EQ(kept.host, "127.0.0.1");
  EXPECT_EQ(kept.port, 2525);
  EXPECT_EQ(kept.security, mail::Security::None);
  EXPECT_EQ(kept.fromAddress, "office@lakeside.example");
  EXPECT_EQ(kept.textsOf(mail::DocumentKind::Statement).subject, "Your statement, {customer}");
}

TEST_F(MailWindows, DocumentsGoToTheAddressesAsEditedAndTheUserIsToldWhatWentWhere) {
  mail::testing::SmtpTestServer server;
  mail::MailSettings settings = mail::DefaultMailSettings();
  settings.host = "127.0.0.1";
  settings.port = server.port();
  settings.security = mail::Security::None;
  settings.fromAddress = "office@lakeside.example";
  ASSERT_EQ(mail::SaveMailSettings(engine::realFileSystem(), path(), settings), "");
  const reports::ReportDoc doc = statements();
  DocumentMailer mailer(nullptr, *session, ui, font, passwords);
  ModalScript script;
  script.on<TMailDocs>([&](TMailDocs& window) {
    QTableWidget* table = window.documentsTable;
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), "statement-000001");
    EXPECT_EQ(table->item(0, 2)->text(), "thomas.becker@example.com");
    table->item(1, 2)->setText("accounts at fischer");
    Click(window.sendButton);
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_NE(dialogs.shown().back().text.find("in row 2 is not an e-mail address"),
              std::string::npos);
    table->item(1, 2)->setText("accounts@fischer.example");
    Click(window.sendButton);
  });
  EXPECT_TRUE(script.run([&] { mailer.Send(doc); }));
  const auto received = server.received();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[1].to, std::vector<std::string>{"accounts@fischer.example"});
  EXPECT_NE(received[0].bytes.find("filename=statement-000001.pdf"), std::string::npos);
  const std::string told = dialogs.shown().back().text;
  EXPECT_EQ(told.substr(0, told.find('\n')), "2 of 2 sent.");
  EXPECT_NE(told.find("statement-000002  accounts@fischer.example  sent"), std::string::npos);
}

}  // namespace
}  // namespace vt::mailing
