// TReportF, the window "Report": every report document is looked at,
// printed and exported here. It is shown modally, maximised, on the
// document a generator has built, and never changes it. The preview scrolls
// with its scroll bar, the mouse wheel and the Page Up/Down keys; the menu
// prints on the current printer and exports the document as aligned text,
// tab-delimited text, a PDF file or comma-separated values, and a run of
// invoices, bills or statements as one PDF file per document.
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <functional>

#include "reports/report_doc.h"
#include "reports/report_export.h"
#include "reports/report_output.h"
#include "ui/context.h"

class QAction;
class QMenu;
class QMenuBar;
class QScrollBar;

namespace vt::reports {

class ReportPreview;

class TReportF : public QDialog {
  Q_OBJECT

 public:
  TReportF(QWidget* parent, vt::ui::UiContext& ui, const QFont& reportFont);

  // Shows the window modally on `doc`, laid out afresh and at its first
  // row, until the user closes it. The first showing takes most of the
  // screen; later ones keep the size the user left the window at.
  void Show(const ReportDoc& doc);
  // The font of the following showings (chosen on the main window).
  void setReportFont(const QFont& reportFont) { reportFont_ = reportFont; }
  // What "E-mail..." does with a run of invoices, bills or statements; the
  // action shows only when it is set.
  void setMailer(std::function<void(const ReportDoc&)> mailer) { mailer_ = std::move(mailer); }

  QMenuBar* mainMenu = nullptr;
  QAction* exitAction = nullptr;
  QAction* printAction = nullptr;
  // Shown for a run of invoices, bills or statements.
  QAction* emailAction = nullptr;
  QMenu* exportMenu = nullptr;
  QAction* textExportAction = nullptr;
  QAction* tabExportAction = nullptr;
  QAction* pdfExportAction = nullptr;
  QAction* csvExportAction = nullptr;
  // Shown for a run of invoices, bills or statements.
  QAction* eachPdfAction = nullptr;
  ReportPreview* reportPreview = nullptr;
  QScrollBar* previewScrollBar = nullptr;

 public slots:
  void exitClicked();
  void printClicked();
  void textExportClicked();
  void tabExportClicked();
  void pdfExportClicked();
  void csvExportClicked();
  // Each invoice, bill or statement as a PDF file of its own in a folder.
  void eachPdfClicked();
  // Each invoice, bill or statement sent to its customer by e-mail.
  void emailClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class FileForm { AlignedText, TabDelimited, Pdf, Csv };

  void buildMenu();
  void buildFrame();
  void placeFirstTime();
  // The scroll bar after the preview's layout: shown with a range when the
  // document has more rows than the window.
  void fitScrollBar();
  void exportReport(FileForm form);
  // Writes the file; false when it cannot be created or written.
  bool writeFile(FileForm form, const QString& path);
  // Tells the user of each picture left out of a print or PDF.
  void tellMissing(const MissingPictures& missing);
  // Runs `work`, telling the user what stopped it.
  void reported(const std::function<void()>& work);

  vt::ui::UiContext& ui_;
  QFont reportFont_;
  const ReportDoc* doc_ = nullptr;
  std::function<void(const ReportDoc&)> mailer_;
  // Shown once: its size and place are the user's from then on.
  bool placed_ = false;
};

}  // namespace vt::reports
