// The five pages of the main window as data: each page's title, help
// context and buttons with their pictures and hints, and the building of a
// page from that (the teal shape holding the buttons, the Help button).
#pragma once

#include <QString>
#include <vector>

class QFrame;
class QGridLayout;
class QPushButton;
class QWidget;

namespace vt::shell {

class PictureButton;

struct ButtonDef {
  const char* name;     // object name, as the handlers know it
  const char* picture;  // file under :/icons/
  const char* hint;     // tooltip and accessible description
  const char* caption;  // shown under the picture: the hint in short
};

struct PageDef {
  const char* name;  // object name of the page
  const char* title;
  int helpContext;
  std::vector<ButtonDef> buttons;
};

// The help context of the main window itself (Help Contents shows the
// contents; this is the window's own topic).
constexpr int kMainHelpContext = 10;

// Invoices; Customers and Products; Report Generation; Preferences; File
// Maintenance.
const std::vector<PageDef>& MainPages();
enum PageIndex { kInvoicesPage, kCatalogPage, kReportsPage, kPreferencesPage, kMaintenancePage };

struct BuiltPage {
  QWidget* page = nullptr;
  QFrame* shape = nullptr;      // the teal shape behind the buttons
  QGridLayout* grid = nullptr;  // the shape's layout, empty until placed
  QPushButton* help = nullptr;
  std::vector<PictureButton*> buttons;  // in the order of the PageDef
};

// Makes the page with its shape, buttons and Help button; the buttons are
// not yet placed in the shape's grid.
BuiltPage BuildPage(const PageDef& def, QWidget* parent);
// Places the buttons in rows of `perRow`, starting at grid row `firstRow`.
void PlaceInRows(const BuiltPage& built, int perRow, int firstRow = 0);

}  // namespace vt::shell
