#include "shell/gui_exit.h"

#include <QApplication>
#include <QWidget>

namespace vt::shell {

void GuiExit::exit(int code) {
  // Hidden, not closed: a close would run the main window's closing work.
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  base::ProgramExit::exit(code);
}

}  // namespace vt::shell
