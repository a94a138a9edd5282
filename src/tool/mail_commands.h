// The tool's e-mail: the settings and a test message (mail-settings,
// mail-test), and sending the documents of `report ... --email`.
#pragma once

#include <QFont>

#include "data/data_session.h"
#include "reports/report_doc.h"
#include "tool/report_args.h"
#include "ui/printer_state.h"

namespace vt::tool {

// Sends (or writes as .eml files) every document of `doc`: one line per
// document on standard output. kExitOk when every one was sent.
int MailDocuments(const ReportArgs& a, data::DataSession& session, const reports::ReportDoc& doc,
                  const QFont& font, const ui::PrinterState& printers);

}  // namespace vt::tool
