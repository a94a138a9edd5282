// The main window's frame: menu, pages, progress box, and which button
// runs what.
#include "shell/tmain.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/about_form.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/picture_button.h"
#include "shell/program_title.h"
#include "shell/report_menus.h"
#include "ui/help_viewer.h"

static void initShellResources() {
  Q_INIT_RESOURCE(shell_icons);
}

namespace vt::shell {

namespace {
constexpr int kWidth = 620;
constexpr int kHeight = 440;
}  // namespace

TMain::TMain(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
  initShellResources();
  setObjectName("Main");
  setWindowTitle(kDesignCaption);
  buildMenu();
  buildFrame();
  buildPages();
  buildReportMenus();
  connectButtons();
  AboutForm = new TAboutForm(state_, this);
  resize(kWidth, kHeight);
  centreOnScreen();
  // The pages work on the engine session, which the start-up makes.
  PageControl1->setEnabled(false);
  connect(qApp, &QApplication::focusChanged, this, &TMain::focusMoved);
}

TMain::~TMain() = default;

void TMain::buildMenu() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("File1");
  QAction* exit = file->addAction(tr("E&xit"), this, &TMain::Exit1Click);
  exit->setObjectName("Exit1");

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName("Help1");
  // "&&" shows one ampersand in a menu item.
  QAction* about = help->addAction(tr("&About Vantrell && Inventory"), this, &TMain::About1Click);
  about->setObjectName("About1");
  help->addSeparator();
  QAction* contents = help->addAction(tr("Help &Contents"), this, &TMain::HelpContents1Click);
  contents->setObjectName("HelpContents1");

  // F1 opens the main window's own topic.
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this,
          [this] { state_.ui.help.showContext(kMainHelpContext); });
}

void TMain::buildFrame() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  auto* bevel = new QFrame(central);
  bevel->setObjectName("Bevel1");
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  column->addWidget(bevel);

  PageControl1 = new QTabWidget(central);
  PageControl1->setObjectName("PageControl1");
  column->addWidget(PageControl1, 1);

  ProgressBox = new QGroupBox(central);
  ProgressBox->setObjectName("ProgressBox");
  ProgressBar1 = new QProgressBar(ProgressBox);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  auto* boxLayout = new QVBoxLayout(ProgressBox);
  boxLayout->addWidget(ProgressBar1);
  ProgressBox->hide();
  column->addWidget(ProgressBox);
  setCentralWidget(central);
}

void TMain::buildPages() {
  const std::vector<PageDef>& pages = MainPages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const BuiltPage built = BuildPage(pages[i], static_cast<int>(i) + 1, PageControl1);
    for (PictureButton* button : built.buttons) buttons_[button->objectName()] = button;
    const int context = pages[i].helpContext;
    connect(built.help, &QPushButton::clicked, this,
            [this, context] { state_.ui.help.showContext(context); });
    if (i == kPreferencesPage) {
      buildPreferences(built);
    } else {
      PlaceInRows(built, 3);
    }
    PageControl1->addTab(built.page, tr(pages[i].title));
  }
}

void TMain::buildReportMenus() {
  for (const PopupDef& def : ReportMenus()) {
    QMenu* menu = BuildPopup(def, this);
    PictureButton* picture = button(def.button);
    connect(picture, &QToolButton::clicked, this, [menu, picture] { OpenPopup(menu, picture); });
  }
}

void TMain::connectButtons() {
  connect(button("BtnCust"), &QToolButton::clicked, this, &TMain::BtnCustClick);
  connect(button("BtnGroups"), &QToolButton::clicked, this, &TMain::BtnGroupsClick);
  connect(button("BtnProd"), &QToolButton::clicked, this, &TMain::BtnProdClick);
  connect(button("BtnPurchase"), &QToolButton::clicked, this, &TMain::BtnPurchaseClick);
  connect(button("BtnIndex"), &QToolButton::clicked, this, &TMain::BtnIndexClick);
  connect(button("BtnPack"), &QToolButton::clicked, this, &TMain::BtnPackClick);
  connect(button("BtnFont"), &QToolButton::clicked, this, &TMain::BtnFontClick);
  connect(button("BtnPSetup"), &QToolButton::clicked, this, &TMain::BtnPSetupClick);
  // The windows and reports these open are not part of the program yet.
  for (const char* name :
       {"BtnInvoice", "BtnInvPrint", "BtnInvLab", "Image4", "Image5", "BtnRInv", "BtnRProf",
        "BtnRSales", "BtnRLabels", "BtnMMerge", "BtnInvRpts", "BtnStationary", "BtnSTax",
        "BtnLabForms", "BtnBackup", "BtnRestore", "BtnUpgrade", "BtnErase"}) {
    button(name)->setEnabled(false);
  }
}

void TMain::centreOnScreen() {
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

PictureButton* TMain::button(const QString& name) const {
  const auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

void TMain::ShowProgress(bool visible, const QString& caption) {
  ProgressBar1->setValue(0);
  ProgressBox->setTitle(caption);
  ProgressBox->setVisible(visible);
  repaint();
}

void TMain::SetProgress(int percent) {
  ProgressBar1->setValue(percent);
  ProgressBox->repaint();
}

void TMain::ProgressBoxReport::show(bool visible, const std::string& caption) {
  main_.ShowProgress(visible, QString::fromStdString(caption));
}

void TMain::ProgressBoxReport::set(int percent) {
  main_.SetProgress(percent);
}

void TMain::Exit1Click() {
  close();
}

void TMain::About1Click() {
  AboutForm->exec();
}

void TMain::HelpContents1Click() {
  state_.ui.help.showContents();
}

}  // namespace vt::shell
