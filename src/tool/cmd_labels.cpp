// vantrell-tool labels --data DIR --stock NAME --groups N,N [--start-row R
// --start-col C] --out FILE.pdf: the address labels of the customers of
// chosen groups, placed on a label stock as the label printing window
// places them, written as a PDF file (a mailing prepared in batch).
#include <iostream>

#include "base/text1252.h"
#include "data/data_session.h"
#include "engine/status.h"
#include "labels/label_device.h"
#include "labels/label_selections.h"
#include "tool/commands.h"
#include "tool/console.h"
#include "tool/options.h"
#include "ui/printer_state.h"
#include "ui/report_font.h"

namespace vt::tool {
namespace {

// The largest starting row, as in the label printing window.
constexpr int kMostRows = 99;

struct LabelArgs {
  std::string dir, stock, out;
  std::vector<int> groups;
  int row = 1, column = 1;
};

// Empty string when the arguments are good, else what is wrong.
std::string parse(const Args& args, LabelArgs* out) {
  std::string groups, row = "1", column = "1", error;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, "--data", &out->dir, &error)) continue;
    if (takeOption(args, &i, "--stock", &out->stock, &error)) continue;
    if (takeOption(args, &i, "--groups", &groups, &error)) continue;
    if (takeOption(args, &i, "--start-row", &row, &error)) continue;
    if (takeOption(args, &i, "--start-col", &column, &error)) continue;
    if (takeOption(args, &i, "--out", &out->out, &error)) continue;
    return "labels: unexpected argument " + args[i];
  }
  if (!error.empty()) return error;
  if (out->dir.empty() || out->stock.empty() || out->out.empty() || groups.empty())
    return "labels needs --data DIR, --stock NAME, --groups N,N and --out FILE.pdf";
  if (!NumberList(groups, &out->groups)) return "--groups: numbers above 0, separated by commas";
  if (!WholeNumber(row, &out->row) || out->row < 1 || out->row > kMostRows)
    return "--start-row: a number from 1 to " + std::to_string(kMostRows);
  if (!WholeNumber(column, &out->column) || out->column < 1) return "--start-col: a number above 0";
  return "";
}

// The stock named `name` (blanks around it ignored) into the label buffer;
// false when there is none or LABELS cannot be read.
bool findStock(data::DataSession& s, const std::string& name) {
  if (!s.OpenLabels()) return false;
  const std::string wanted = base::trim(name);
  engine::Table& labels = *s.labels();
  for (labels.top(); !labels.eof(); labels.skip()) {
    if (s.LoadLabel() < 0) break;
    if (base::trim(s.Label.Name) == wanted) return true;
  }
  return false;
}

int writeLabels(const LabelArgs& a) {
  ConsoleDialogs dialogs;
  base::ProgramExit exit;
  data::DataSession session(a.dir, dialogs, exit, toolSessionOptions());
  if (!session.OpenSettings() || session.ReadSettings() < 0) return kExitFailure;
  session.CloseSettings();
  if (!findStock(session, a.stock)) {
    std::cerr << "no label stock " << a.stock << std::endl;
    return kExitFailure;
  }
  session.CloseAll();
  const QFont font = ui::ReportFontFromSettings(session.settings, ui::DesignReportFont());
  const ui::PrinterState printers;
  const labels::PaperSize paper = labels::PaperOf(printers.printer().pageLayout());
  if (const std::string problem = labels::StockProblem(session.Label, paper); !problem.empty()) {
    std::cerr << problem << std::endl;
    return kExitFailure;
  }
  if (const int rows = labels::RowsPerForm(session.Label, paper); a.row > rows) {
    std::cerr << "--start-row: the stock holds " << rows << " rows to a page" << std::endl;
    return kExitFailure;
  }
  labels::PdfLabelDevice device(QString::fromStdString(a.out), printers.printer().pageLayout(),
                                font);
  labels::LabelRun run(session.Label, a.column, a.row, device);
  TerminalProgress progress;
  labels::LabelSelection selection{session, run, &progress};
  const int status = labels::GroupLabels(selection, a.groups);
  session.CloseAll();
  if (status < 0) {
    std::cerr << "Unable to read the customers: " << engine::statusText(status) << std::endl;
    return kExitFailure;
  }
  if (!run.printedAny()) {
    std::cerr << "no customers in these groups" << std::endl;
    return kExitFailure;
  }
  run.Finish();
  std::cerr << "Wrote " << run.labelsAdded() << " labels to " << a.out << std::endl;
  return kExitOk;
}

}  // namespace

int runLabels(const Args& args) {
  LabelArgs a;
  if (const std::string problem = parse(args, &a); !problem.empty()) return usageError(problem);
  if (!requireDataFiles(a.dir)) return kExitFailure;
  return runOffscreen([&a] { return writeLabels(a); });
}

}  // namespace vt::tool
