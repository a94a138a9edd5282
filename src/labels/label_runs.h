// The label runs the main window starts: labels for customers picked one by
// one, for the invoices of a span, for the invoices of a span with
// something due, for the customers with something due in a span, and for
// the customers of chosen groups. Each run asks for the stock and the first
// label's place, then prints on the current printer or into a PDF file.
#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <memory>

#include "base/progress.h"
#include "data/data_session.h"
#include "data/selection_cycle.h"
#include "labels/label_placement.h"
#include "labels/label_selections.h"
#include "reports/report_choices.h"
#include "ui/context.h"

namespace vt::reports {
class TDateSpan;
class TMultGroup;
}  // namespace vt::reports

namespace vt::labels {

class TLabPrint;

// The windows a run shows.
struct LabelWindows {
  TLabPrint& labPrint;
  reports::TDateSpan& dateSpan;
  reports::TMultGroup& multGroup;
  data::RecordPicker& customerPicker;
  data::RecordEditor& customerEditor;
};

class LabelRuns {
 public:
  static constexpr const char* kNoStock =
      "Label Stock has not been defined. Choose Setup - Labels to define label stock.";

  // Makes the device a run prints on: the printer, or a PDF file at `path`.
  using DeviceFactory = std::function<std::unique_ptr<LabelDevice>(const std::string* pdfPath)>;

  // `reportFont` is read at every run; `progress` may be null.
  LabelRuns(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
            reports::ReportChoices& choices, LabelWindows windows, base::Progress* progress);
  // Replaces the printer and PDF devices (tests record what is drawn).
  void setDeviceFactory(DeviceFactory factory) { devices_ = std::move(factory); }

  void SelectedCustomers();
  void InvoicesDated();
  void PastDueBilling();
  void BalanceDueStatement();
  void CustomerGroups();

 private:
  using Selection = std::function<int(LabelSelection&)>;
  // Runs the span dialog on today's date, then the selection.
  // The date span, titled `title`, then the labels `select` chooses in it.
  void spanRun(const QString& title,
               int (*select)(LabelSelection&, const base::DateTime&, const base::DateTime&));
  // Asks for the stock and the start, prints what `select` adds and closes
  // every table; `ask` runs after the stock is chosen and may end the run.
  void run(const std::function<bool()>& ask, const Selection& select);
  int pickCustomers(LabelSelection& s);
  std::unique_ptr<LabelDevice> makeDevice(const std::string* pdfPath);

  data::DataSession& session_;
  ui::UiContext& ui_;
  const QFont& reportFont_;
  reports::ReportChoices& choices_;
  LabelWindows windows_;
  base::Progress* progress_;
  DeviceFactory devices_;
};

}  // namespace vt::labels
