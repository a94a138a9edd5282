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

#include "invoicing/tstationary.h"
#include "invoicing/ttaxdef.h"
#include "shell/about_form.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/picture_button.h"
#include "shell/program_title.h"
#include "shell/report_menus.h"
#include "ui/help_viewer.h"
#include "ui/window_size.h"

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
  ui::HoldDesignSize(*this);
  centreOnScreen();
  // The pages work on the engine session, which the start-up makes.
  pageTabs->setEnabled(false);
  connect(qApp, &QApplication::focusChanged, this, &TMain::focusMoved);
}

TMain::~TMain() = default;

void TMain::buildMenu() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("fileMenu");
  QAction* exit = file->addAction(tr("E&xit"), this, &TMain::exitClicked);
  exit->setObjectName("exitAction");

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName("helpMenu");
  // "&&" shows one ampersand in a menu item.
  QAction* about = help->addAction(tr("&About Vantrell && Inventory"), this, &TMain::aboutClicked);
  about->setObjectName("aboutAction");
  help->addSeparator();
  QAction* contents = help->addAction(tr("Help &Contents"), this, &TMain::helpContentsClicked);
  contents->setObjectName("helpContentsAction");

  // F1 opens the main window's own topic.
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this,
          [this] { state_.ui.help.showContext(kMainHelpContext); });
}

void TMain::buildFrame() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  auto* bevel = new QFrame(central);
  bevel->setObjectName("topBevel");
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  column->addWidget(bevel);

  pageTabs = new QTabWidget(central);
  pageTabs->setObjectName("pageTabs");
  column->addWidget(pageTabs, 1);

  progressBox = new QGroupBox(central);
  progressBox->setObjectName("progressBox");
  progressBar = new QProgressBar(progressBox);
  progressBar->setObjectName("progressBar");
  progressBar->setRange(0, 100);
  progressBar->setValue(0);
  auto* boxLayout = new QVBoxLayout(progressBox);
  boxLayout->addWidget(progressBar);
  // Its room, with a caption, is kept while it is hidden, so that showing
  // it moves nothing.
  progressBox->setTitle(QStringLiteral("Progress"));
  progressBox->setFixedHeight(progressBox->sizeHint().height());
  progressBox->setTitle(QString());
  QSizePolicy keepRoom = progressBox->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  progressBox->setSizePolicy(keepRoom);
  progressBox->hide();
  column->addWidget(progressBox);
  setCentralWidget(central);
}

void TMain::buildPages() {
  const std::vector<PageDef>& pages = MainPages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const BuiltPage built = BuildPage(pages[i], pageTabs);
    for (PictureButton* button : built.buttons) buttons_[button->objectName()] = button;
    const int context = pages[i].helpContext;
    connect(built.help, &QPushButton::clicked, this,
            [this, context] { state_.ui.help.showContext(context); });
    if (i == kPreferencesPage) {
      buildPreferences(built);
    } else {
      PlaceInRows(built, 3);
    }
    pageTabs->addTab(built.page, tr(pages[i].title));
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
  connect(button("invoicesButton"), &QToolButton::clicked, this, &TMain::invoicesClicked);
  connect(button("customersButton"), &QToolButton::clicked, this, &TMain::customersClicked);
  connect(button("groupsButton"), &QToolButton::clicked, this, &TMain::groupsClicked);
  connect(button("productsButton"), &QToolButton::clicked, this, &TMain::productsClicked);
  connect(button("purchasesButton"), &QToolButton::clicked, this, &TMain::purchasesClicked);
  connect(button("reindexButton"), &QToolButton::clicked, this, &TMain::reindexClicked);
  connect(button("packButton"), &QToolButton::clicked, this, &TMain::packClicked);
  connect(button("backupButton"), &QToolButton::clicked, this, &TMain::backupClicked);
  connect(button("restoreButton"), &QToolButton::clicked, this, &TMain::restoreClicked);
  connect(button("eraseButton"), &QToolButton::clicked, this, &TMain::eraseClicked);
  connect(button("importButton"), &QToolButton::clicked, this, &TMain::importClicked);
  connect(button("reportFontButton"), &QToolButton::clicked, this, &TMain::reportFontClicked);
  connect(button("printerSetupButton"), &QToolButton::clicked, this, &TMain::printerSetupClicked);
  connect(button("stationeryButton"), &QToolButton::clicked, this, &TMain::stationeryClicked);
  connect(button("salesTaxButton"), &QToolButton::clicked, this, &TMain::salesTaxClicked);
  connect(button("labelFormsButton"), &QToolButton::clicked, this, &TMain::labelFormsClicked);
  connect(button("emailSettingsButton"), &QToolButton::clicked, this, &TMain::emailSettingsClicked);
  connect(button("mailMergeButton"), &QToolButton::clicked, this, &TMain::mailMergeClicked);
  connectCustomerDocuments();
  connectLabelRuns();
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
  progressBar->setValue(0);
  progressBox->setTitle(caption);
  progressBox->setVisible(visible);
  repaint();
}

void TMain::SetProgress(int percent) {
  progressBar->setValue(percent);
  progressBox->repaint();
}

void TMain::ProgressBoxReport::show(bool visible, const std::string& caption) {
  main_.ShowProgress(visible, QString::fromStdString(caption));
}

void TMain::ProgressBoxReport::set(int percent) {
  main_.SetProgress(percent);
}

void TMain::exitClicked() {
  close();
}

void TMain::aboutClicked() {
  AboutForm->exec();
}

void TMain::helpContentsClicked() {
  state_.ui.help.showContents();
}

}  // namespace vt::shell
