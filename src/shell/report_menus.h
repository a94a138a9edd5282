// The pop-up menus of the Report Generation page: one per report button but
// the mail merge, opened where the mouse is when the button is pressed.
#pragma once

#include <vector>

class QMenu;
class QWidget;

namespace vt::shell {

struct MenuItemDef {
  const char* name;  // object name of the action or sub-menu; null: a separator
  const char* text = "";
  std::vector<MenuItemDef> items = {};  // a sub-menu when not empty
};

struct PopupDef {
  const char* button;  // the picture that opens it
  const char* name;    // object name of the menu
  std::vector<MenuItemDef> items;
};

const std::vector<PopupDef>& ReportMenus();

// The menu with its items. The items start disabled: each is enabled by the
// report it runs.
QMenu* BuildPopup(const PopupDef& def, QWidget* parent);

// Opens `menu` at the mouse position, or under `button` when the mouse is
// not over it (the button was pressed from the keyboard).
void OpenPopup(QMenu* menu, QWidget* button);

}  // namespace vt::shell
