#include "labels/label_runs.h"

#include <QFileInfo>
#include <stdexcept>

#include "labels/label_device.h"
#include "labels/tlabprint.h"
#include "reports/tdatespan.h"
#include "reports/tmultgroup.h"
#include "ui/record_access.h"

namespace vt::labels {

LabelRuns::LabelRuns(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
                     reports::ReportChoices& choices, LabelWindows windows,
                     base::Progress* progress)
    : session_(session),
      ui_(ui),
      reportFont_(reportFont),
      choices_(choices),
      windows_(windows),
      progress_(progress) {}

std::unique_ptr<LabelDevice> LabelRuns::makeDevice(const std::string* pdfPath) {
  if (devices_) return devices_(pdfPath);
  if (pdfPath) {
    return std::make_unique<PdfLabelDevice>(QString::fromStdString(*pdfPath),
                                            ui_.printers.printer().pageLayout(), reportFont_);
  }
  return std::make_unique<PrinterLabelDevice>(ui_.printers.printer(), reportFont_);
}

void LabelRuns::SelectedCustomers() {
  run([] { return true; }, [this](LabelSelection& s) { return pickCustomers(s); });
}

void LabelRuns::InvoicesDated() {
  spanRun(QStringLiteral("Labels: Invoices Dated"), &InvoicesDatedLabels);
}

void LabelRuns::PastDueBilling() {
  spanRun(QStringLiteral("Labels: Past Due Billing"), &PastDueLabels);
}

void LabelRuns::BalanceDueStatement() {
  spanRun(QStringLiteral("Labels: Balance Due Statement"), &BalanceDueLabels);
}

void LabelRuns::CustomerGroups() {
  run(
      [this] {
        if (!session_.OpenGroups()) return false;
        return windows_.multGroup.Run();
      },
      [this](LabelSelection& s) { return GroupLabels(s, choices_.SelectedGroups); });
}

void LabelRuns::spanRun(const QString& title, int (*select)(LabelSelection&, const base::DateTime&,
                                                            const base::DateTime&)) {
  run(
      [this, title] {
        choices_.SpanStart = choices_.SpanEnd = session_.now().date();
        return windows_.dateSpan.Run(title);
      },
      [this, select](LabelSelection& s) {
        return select(s, choices_.SpanStart, choices_.SpanEnd);
      });
}

int LabelRuns::pickCustomers(LabelSelection& s) {
  if (!session_.OpenCustomers() || !session_.OpenGroups()) return engine::kErrOpen;
  engine::Table& customers = *session_.customers();
  customers.selectTag(customers.tag(session_.settings.ByCust ? "cname" : "cComp"));
  session_.StartAtTop(data::RecordKind::Customer);
  while (true) {
    const data::PickOutcome outcome =
        session_.PickCustomer(false, windows_.customerPicker, windows_.customerEditor);
    if (!outcome.chosen) return outcome.status;
    if (const int status = ui::GoToRecord(session_, &customers, session_.CurCustomer); status < 0) {
      return status;
    }
    if (const int status = AddCustomerLabel(s); status < 0) return status;
  }
}

void LabelRuns::run(const std::function<bool()>& ask, const Selection& select) {
  if (!session_.OpenLabels()) return;
  if (session_.labels()->recCount() == 0) {
    ui_.dialogs.information("", kNoStock);
    session_.CloseAll();
    return;
  }
  const std::optional<LabelStart> start = windows_.labPrint.Run();
  session_.CloseTable(data::TableId::Labels);
  const data::LabelRecord stock = session_.Label;
  if (!start) return;
  const PaperSize paper = PaperOf(ui_.printers.printer().pageLayout());
  if (const std::string problem = StockProblem(stock, paper); !problem.empty()) {
    ui_.dialogs.information("", problem);
    return;
  }
  std::optional<std::string> pdfPath;
  if (start->toPdf) {
    pdfPath = ui_.dialogs.saveFile("Save Labels As", "PDF files (*.pdf)", "labels.pdf");
    if (!pdfPath) return;
    if (QFileInfo(QString::fromStdString(*pdfPath)).suffix().isEmpty()) *pdfPath += ".pdf";
  }
  if (ask()) {
    try {
      std::unique_ptr<LabelDevice> device = makeDevice(pdfPath ? &*pdfPath : nullptr);
      LabelRun labels(stock, start->column, start->row, *device);
      LabelSelection selection{session_, labels, progress_};
      const int status = select(selection);
      labels.Finish();
      if (status < 0)
        ui::ReportTableFailure(ui_.dialogs, session_.engine(), "read the data", status);
    } catch (const std::runtime_error& error) {
      ui_.dialogs.information("", error.what());
    }
  }
  session_.CloseAll();
}

}  // namespace vt::labels
