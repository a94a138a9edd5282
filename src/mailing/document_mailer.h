// "E-mail..." of the report window: the documents of a run listed with
// their addresses, sent with progress and Cancel, and what went where told
// afterwards, with the server's own words for what was refused.
#pragma once

#include <QFont>
#include <QWidget>
#include <string>

#include "data/data_session.h"
#include "mailing/mail_password_cache.h"
#include "mailing/send_documents.h"
#include "reports/report_doc.h"
#include "ui/context.h"

namespace vt::mailing {

class TMailDocs;

class DocumentMailer {
 public:
  // `reportFont` is read at every sending (the user may choose another).
  DocumentMailer(QWidget* parent, data::DataSession& session, vt::ui::UiContext& ui,
                 const QFont& reportFont, MailPasswordCache& passwords);
  ~DocumentMailer();

  void Send(const reports::ReportDoc& doc);

  TMailDocs& window() { return *window_; }

 private:
  // The settings when they can send; told to the user otherwise.
  bool readySettings(mail::MailSettings& settings);
  std::vector<MailOutcome> deliver(const reports::ReportDoc& doc, const SendJob& job,
                                   const std::vector<OutgoingDocument>& documents,
                                   MailTransport& transport);
  void tellOutcomes(const std::vector<MailOutcome>& outcomes, size_t asked);

  data::DataSession& session_;
  vt::ui::UiContext& ui_;
  const QFont& reportFont_;
  MailPasswordCache& passwords_;
  TMailDocs* window_;
};

}  // namespace vt::mailing
