// Vantrell & Inventory: works on the data files of the directory it is
// started in, and takes no arguments of its own.
#include <QApplication>
#include <QDir>

#include "engine/io.h"
#include "shell/app_state.h"
#include "shell/gui_exit.h"
#include "shell/program_title.h"
#include "shell/splash_clock.h"
#include "shell/tmain.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"
#include "ui/qt_dialogs.h"

int main(int argc, char** argv) {
  vt::engine::writePastSizeLimitFails();
  QApplication app(argc, argv);
  QApplication::setApplicationName(vt::shell::kProgramTitle);

  vt::ui::PrinterState printers;
  vt::ui::QtDialogs dialogs(nullptr, printers);
  vt::ui::HelpViewer help(nullptr);
  vt::shell::GuiExit exit;
  vt::shell::RealSplashClock clock;
  vt::shell::AppState state(QDir::currentPath().toStdString(),
                            vt::ui::UiContext{dialogs, printers, help}, exit, clock);

  vt::shell::TMain main(state);
  QObject::connect(&main, &vt::shell::TMain::runEnded, &app, &QCoreApplication::exit);
  main.show();
  return app.exec();
}
