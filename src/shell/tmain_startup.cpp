// The start-up run when the main window is first shown, and the closing
// work of the run.
#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "data/datafiles.h"
#include "data/pending_work.h"
#include "engine/status.h"
#include "invoicing/tstationary.h"
#include "invoicing/ttaxdef.h"
#include "shell/about_form.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/program_title.h"
#include "shell/tmain.h"
#include "ui/help_viewer.h"
#include "ui/report_font.h"

namespace vt::shell {

namespace {

// The splash stays up at least this long, however fast the checks run.
constexpr qint64 kSplashMs = 1728;

const char* const kDataFilesMissing =
    "Database files not found in startup directory\r\n"
    "Program must be started from the directory containing the data files.";
const char* const kInvoiceNotPutBack =
    "An invoice was being saved when the program stopped, and its records cannot be put "
    "back now (another program may be using the invoice files). They will be put back "
    "before the next invoice is saved.";

}  // namespace

void TMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // From the event loop, so that the window is on the screen first and the
  // end of the run can end the loop.
  if (!startupRun_) QTimer::singleShot(0, this, &TMain::FormShow);
}

void TMain::FormShow() {
  if (startupRun_) return;
  startupRun_ = true;
  state_.Starting = true;
  AboutForm->show();
  AboutForm->repaint();
  state_.clock.start();

  if (!StartSession()) return;
  ApplySettings();
  const qint64 remaining = kSplashMs - state_.clock.elapsedMs();
  state_.clock.after(remaining > 0 ? remaining : 0, this, [this] { FinishStartup(); });
}

bool TMain::StartSession() {
  // What a stop left pending is settled before the files are looked for: a
  // change that cannot be finished leaves the tables unopenable; an invoice
  // save cut short is taken back whole.
  const data::Settled settled =
      data::SettlePendingWork(engine::realFileSystem(), state_.directory());
  if (!settled.change.empty()) {
    state_.ui.dialogs.information("", settled.change + "\r\nProgram will now terminate.");
    state_.exit.exit(1);
    return false;
  }
  if (!settled.missing.empty()) {
    state_.ui.dialogs.information("", kDataFilesMissing);
    EndRun(0);
    return false;
  }
  data::DataSession& session = state_.createSession(&progress_);
  ExitOnEngineError();
  if (!settled.note.empty()) state_.ui.dialogs.information("", settled.note);
  if (!settled.journal.empty()) state_.ui.dialogs.information("", kInvoiceNotPutBack);
  data::TellRebuildFailure(settled.indexes, state_.ui.dialogs, state_.exit);
  if (!session.OpenSettings()) return false;
  const int read = session.ReadSettings();
  session.CloseAll();
  if (read < 0) {
    data::OpenFailed("VTR1.DBF", state_.ui.dialogs, state_.exit);
    return false;
  }
  return true;
}

void TMain::ApplySettings() {
  data::DataSession& session = *state_.session();
  setWindowTitle(kCaptionPrefix + QDir(QString::fromStdString(state_.directory())).absolutePath());
  session.NeedsPack = false;
  state_.ReportFont = ui::ReportFontFromSettings(session.settings, ui::DesignReportFont());
  ShowPreferences();
  catalog_ =
      std::make_unique<CatalogWindows>(this, session, state_.ui, state_.ReportFont, &progress_);
  stationary_ = std::make_unique<invoicing::TStationary>(this, session, state_.ui);
  taxDef_ = std::make_unique<invoicing::TTaxDef>(this, session, state_.ui);
  pageTabs->setEnabled(true);
}

void TMain::FinishStartup() {
  AboutForm->hide();
  state_.Starting = false;
}

void TMain::EndRun(int code) {
  AboutForm->hide();
  state_.Starting = false;
  FormClose();
  hide();
  emit runEnded(code);
}

void TMain::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  emit runEnded(0);
}

void TMain::FormClose() {
  if (closed_) return;
  closed_ = true;
  if (data::DataSession* session = state_.session()) {
    ExitOnEngineError();
    if (session->NeedsPack) PackDataFiles();
    catalog_.reset();
    state_.releaseSession();
  }
  AboutForm->hide();
  state_.ui.help.window()->close();
}

void TMain::ExitOnEngineError() {
  data::DataSession* session = state_.session();
  const int error = session ? session->engine().lastError() : 0;
  if (error >= 0) return;
  state_.ui.dialogs.information("", std::string("Database engine error: ") +
                                        engine::statusText(error) +
                                        "\r\nProgram will now terminate.");
  state_.exit.exit(1);
}

}  // namespace vt::shell
