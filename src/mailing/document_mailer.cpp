#include "mailing/document_mailer.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTemporaryDir>

#include "base/text1252.h"
#include "engine/io.h"
#include "mailing/tmaildocs.h"
#include "reports/report_output.h"
#include "ui/wait_cursor.h"

namespace vt::mailing {

namespace {

constexpr const char* kCaption = "E-mail Documents";

}  // namespace

DocumentMailer::DocumentMailer(QWidget* parent, data::DataSession& session, vt::ui::UiContext& ui,
                               const QFont& reportFont, MailPasswordCache& passwords)
    : session_(session),
      ui_(ui),
      reportFont_(reportFont),
      passwords_(passwords),
      window_(new TMailDocs(parent, ui)) {}

DocumentMailer::~DocumentMailer() {
  delete window_;
}

bool DocumentMailer::readySettings(mail::MailSettings& settings) {
  const std::string dir = session_.engine().directory();
  if (const std::string wrong = mail::LoadMailSettings(engine::realFileSystem(), dir, settings);
      !wrong.empty()) {
    ui_.dialogs.information(kCaption, wrong);
    return false;
  }
  if (!mail::CheckMailSettings(settings).empty()) {
    ui_.dialogs.information(kCaption,
                            "Set up the outgoing mail server first: Preferences, E-mail Settings.");
    return false;
  }
  return true;
}

void DocumentMailer::Send(const reports::ReportDoc& doc) {
  SendJob job;
  if (!readySettings(job.settings)) return;
  const bool opened = session_.customers() != nullptr;
  if (!opened && !session_.OpenCustomers()) return;
  std::vector<OutgoingDocument> documents;
  const int status = PlanDocumentMail(session_, doc, documents);
  if (!opened) session_.CloseTable(data::TableId::Customers);
  if (status < 0) {
    ui_.dialogs.information(kCaption,
                            "Unable to read the customers: " + session_.engine().errorText(status));
    return;
  }
  if (!window_->Run(documents)) return;
  job.dataDir = session_.engine().directory();
  const std::optional<std::string> password =
      passwords_.For(job.dataDir, job.settings, ui_.dialogs);
  if (!password) return;
  job.company = base::trim(session_.settings.Company);
  std::vector<OutgoingDocument> addressed;
  for (const OutgoingDocument& d : documents) {
    if (!d.address.empty()) addressed.push_back(d);
  }
  SmtpTransport transport(job.settings, *password);
  tellOutcomes(deliver(doc, job, addressed, transport), addressed.size());
}

std::vector<MailOutcome> DocumentMailer::deliver(const reports::ReportDoc& doc,
                                                 const SendJob& given,
                                                 const std::vector<OutgoingDocument>& documents,
                                                 MailTransport& transport) {
  SendJob job = given;
  // The attachments are the files Save Each as PDF writes, named the same.
  QTemporaryDir pdfs;
  job.pdfDir = pdfs.path().toStdString();
  int written = 0;
  QString failed;
  {
    vt::ui::WaitCursor busy;
    failed = reports::WriteEachPdf(doc, pdfs.path(), reportFont_,
                                   ui_.printers.printer().pageLayout(), &written, nullptr);
  }
  if (!failed.isEmpty()) {
    ui_.dialogs.information(kCaption, "Unable to save to: " + failed.toStdString());
    return {};
  }
  QProgressDialog progress(QObject::tr("Sending e-mail\u2026"), QObject::tr("Cancel"), 0,
                           static_cast<int>(documents.size()), window_->parentWidget());
  progress.setObjectName("mailProgress");
  progress.setWindowTitle(QObject::tr(kCaption));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  return SendDocuments(job, documents, transport, [&progress](int done, int) {
    progress.setValue(done);
    QApplication::processEvents();
    return !progress.wasCanceled();
  });
}

void DocumentMailer::tellOutcomes(const std::vector<MailOutcome>& outcomes, size_t asked) {
  if (asked == 0) return;
  size_t sent = 0;
  std::string lines;
  for (const MailOutcome& outcome : outcomes) {
    sent += outcome.sent ? 1 : 0;
    lines += "\n" + OutcomeLine(outcome);
  }
  std::string summary = std::to_string(sent) + " of " + std::to_string(asked) + " sent";
  if (outcomes.size() < asked)
    summary += "; cancelled before " + std::to_string(asked - outcomes.size()) + " more";
  ui_.dialogs.information(kCaption, summary + "." + lines);
}

}  // namespace vt::mailing
