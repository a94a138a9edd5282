// The main window (TMain): the menu, the five pages with their buttons, the
// progress box every long operation reports to, the start-up run when the
// window is first shown and the closing work.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "base/progress.h"
#include "shell/main_pages.h"

class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QRadioButton;
class QTabWidget;

namespace vt::invoicing {
class TStationary;
class TTaxDef;
}  // namespace vt::invoicing
namespace vt::data {
class DataSession;
}

namespace vt::labels {
class LabelRuns;
}

namespace vt::reports {
class SalesRuns;
class StockRuns;
}  // namespace vt::reports

namespace vt::shell {

class AppState;
class PictureButton;
class TAboutForm;
struct CatalogWindows;

class TMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMain(AppState& state, QWidget* parent = nullptr);
  ~TMain() override;

  // The progress box: shown (bar at 0, with the caption as its title) or
  // hidden, then moved; each change is painted at once, as the work that
  // reports it holds the event loop.
  void ShowProgress(bool visible, const QString& caption);
  void SetProgress(int percent);
  // The progress box for the data layer.
  base::Progress& progress() { return progress_; }

  // The page button of that object name; null when there is none.
  PictureButton* button(const QString& name) const;

  TAboutForm* AboutForm;
  QTabWidget* pageTabs;
  QGroupBox* progressBox;
  QProgressBar* progressBar;
  QLineEdit* reportFontEdit;
  QLineEdit* printerEdit;
  QGroupBox* customerSortGroup;
  QRadioButton* sortByNameRadio;
  QRadioButton* sortByCompanyRadio;
  QGroupBox* inventoryMethodGroup;
  QRadioButton* fifoRadio;
  QRadioButton* lifoRadio;

 signals:
  // The run is over: the window has done its closing work (or start-up gave
  // up) and the application should end with `code`.
  void runEnded(int code);

 public slots:
  // The start-up: runs once, when the window is first shown.
  void FormShow();
  // The closing work: packs if deletions are pending, releases the engine.
  void FormClose();

  void exitClicked();
  void aboutClicked();
  void helpContentsClicked();

  void invoicesClicked();
  // Invoices, bills and statements: printInvoices(by dates, invoice mode),
  // printStatements(with balances).
  void printInvoices(bool byDates, bool invoiceMode);
  void printStatements(bool withBalances);
  void customersClicked();
  void groupsClicked();
  void productsClicked();
  void purchasesClicked();
  void reindexClicked();
  void packClicked();
  void backupClicked();
  void importClicked();
  void restoreClicked();
  void eraseClicked();
  void reportFontClicked();
  void printerSetupClicked();
  void stationeryClicked();
  void salesTaxClicked();
  // The label stock cycle and the mail-merge file.
  void labelFormsClicked();
  void emailSettingsClicked();
  void mailMergeClicked();
  void customerSortLeft();
  void inventoryMethodLeft();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildFrame();
  void buildPages();
  void buildPreferences(const BuiltPage& page);
  void buildReportMenus();
  void connectButtons();
  // The Invoices page button, the report page's invoice, bill and statement
  // menu items, and the sales reports built so far.
  void connectCustomerDocuments();
  // A sales report of the report page's menu.
  void runSales(void (reports::SalesRuns::*report)());
  // A report of products, purchases or stock; the customer profile.
  void runStock(void (reports::StockRuns::*report)());
  void runProfile(bool byGroups);
  // The address label runs of the report page's menu and the Invoices page.
  void connectLabelRuns();
  void runLabels(void (labels::LabelRuns::*run)());
  void centreOnScreen();

  // Start-up steps: the data-file check, the engine, the silent index
  // rebuild and the settings (false when the run ended there); the caption,
  // report font and preferences from the settings; the splash's end.
  bool StartSession();
  void ApplySettings();
  void FinishStartup();
  void ShowPreferences();
  void EndRun(int code);
  // Ends the program when the engine holds an error.
  void ExitOnEngineError();
  // The directory a backup or restore works with, from the chooser; nothing
  // when cancelled. The session's tables are closed once one is chosen.
  // The directory chosen for maintenance work (`startDir` shown first when
  // not empty), with the session's tables closed; nothing when cancelled.
  std::optional<std::string> chooseMaintenanceDir(const char* caption, const char* okCaption,
                                                  const std::string& startDir = "");
  // PackAll with the progress box; a failure is told.
  void PackDataFiles();
  // The end of an "Add & Edit" button's work: every table closed, and the
  // one table packed when the cycle deleted records.
  void FinishCatalogWork(const char* table);
  // The settings record rewritten from the settings variables.
  void SaveSettings();
  void focusMoved(QWidget* old, QWidget* now);

  // Hands the data layer's progress reports to ShowProgress/SetProgress.
  class ProgressBoxReport : public base::Progress {
   public:
    explicit ProgressBoxReport(TMain& main) : main_(main) {}
    void show(bool visible, const std::string& caption) override;
    void set(int percent) override;

   private:
    TMain& main_;
  };

  AppState& state_;
  ProgressBoxReport progress_{*this};
  std::map<QString, PictureButton*> buttons_;
  std::unique_ptr<CatalogWindows> catalog_;
  std::unique_ptr<invoicing::TStationary> stationary_;
  std::unique_ptr<invoicing::TTaxDef> taxDef_;
  bool startupRun_ = false;
  bool closed_ = false;
};

}  // namespace vt::shell
