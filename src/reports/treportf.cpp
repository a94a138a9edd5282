#include "reports/treportf.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "reports/report_csv_file.h"
#include "reports/report_output.h"
#include "reports/report_preview.h"
#include "ui/file_count.h"
#include "ui/wait_cursor.h"

namespace vt::reports {

namespace {

struct FileKind {
  const char* filter;
  const char* extension;
};

// By FileForm: aligned text, tab-delimited text, PDF, CSV.
// The share of the screen's width and height the window first takes.
constexpr double kScreenShare = 0.85;

constexpr FileKind kFileKinds[] = {
    {"Text files (*.txt)", "txt"},
    {"Delimited files (*.asc)", "asc"},
    {"PDF files (*.pdf)", "pdf"},
    {"Comma-separated files (*.csv)", "csv"},
};

}  // namespace

TReportF::TReportF(QWidget* parent, vt::ui::UiContext& ui, const QFont& reportFont)
    : QDialog(parent), ui_(ui), reportFont_(reportFont) {
  setObjectName("ReportF");
  setWindowTitle(tr("Report"));
  setSizeGripEnabled(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  buildMenu();
  buildFrame();
  connect(reportPreview, &ReportPreview::laidOut, this, &TReportF::fitScrollBar);
  connect(previewScrollBar, &QScrollBar::valueChanged, reportPreview, &ReportPreview::setFirstRow);
  connect(reportPreview, &ReportPreview::wheelTurned, this,
          [this](int rows) { previewScrollBar->setValue(previewScrollBar->value() + rows); });
}

void TReportF::buildMenu() {
  mainMenu = new QMenuBar(this);
  mainMenu->setObjectName("mainMenu");
  exitAction = mainMenu->addAction(tr("E&xit"), this, &TReportF::exitClicked);
  exitAction->setObjectName("exitAction");
  printAction = mainMenu->addAction(tr("Print"), this, &TReportF::printClicked);
  printAction->setObjectName("printAction");
  emailAction = mainMenu->addAction(tr("E-&mail\u2026"), this, &TReportF::emailClicked);
  emailAction->setObjectName("emailAction");
  exportMenu = mainMenu->addMenu(tr("&Export"));
  exportMenu->setObjectName("exportMenu");
  textExportAction = exportMenu->addAction(tr("Ascii &Text"), this, &TReportF::textExportClicked);
  textExportAction->setObjectName("textExportAction");
  tabExportAction = exportMenu->addAction(tr("Tab &Delimited"), this, &TReportF::tabExportClicked);
  tabExportAction->setObjectName("tabExportAction");
  pdfExportAction = exportMenu->addAction(tr("&PDF"), this, &TReportF::pdfExportClicked);
  pdfExportAction->setObjectName("pdfExportAction");
  csvExportAction =
      exportMenu->addAction(tr("&Comma-Separated\u2026"), this, &TReportF::csvExportClicked);
  csvExportAction->setObjectName("csvExportAction");
  eachPdfAction =
      exportMenu->addAction(tr("Save &Each as PDF\u2026"), this, &TReportF::eachPdfClicked);
  eachPdfAction->setObjectName("eachPdfAction");
}

void TReportF::buildFrame() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->setMenuBar(mainMenu);
  auto* bevel = new QFrame(this);
  bevel->setObjectName("topBevel");
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  column->addWidget(bevel);

  reportPreview = new ReportPreview(
      this, [this](const std::string& failure) { ui_.dialogs.information("", failure); });
  previewScrollBar = new QScrollBar(Qt::Vertical, this);
  previewScrollBar->setObjectName("previewScrollBar");
  previewScrollBar->setAccessibleName(tr("Report rows"));
  // The preview's width stays the same whether the scroll bar shows or not.
  QSizePolicy keepRoom = previewScrollBar->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  previewScrollBar->setSizePolicy(keepRoom);
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->addWidget(reportPreview, 1);
  row->addWidget(previewScrollBar);
  column->addLayout(row, 1);
}

void TReportF::Show(const ReportDoc& doc) {
  doc_ = &doc;
  previewScrollBar->setValue(0);
  reportPreview->setDocument(doc_, reportFont_);
  eachPdfAction->setVisible(!doc.documents().empty());
  emailAction->setVisible(!doc.documents().empty() && mailer_);
  placeFirstTime();
  exec();
  reportPreview->setDocument(nullptr, reportFont_);
  doc_ = nullptr;
}

// Most of the screen, centred on it, whether or not a window manager would
// maximize the window; later showings keep the size and place the user
// left it at.
void TReportF::placeFirstTime() {
  if (placed_) return;
  placed_ = true;
  const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
  if (!shown) shown = QGuiApplication::primaryScreen();
  if (!shown) return;
  const QRect available = shown->availableGeometry();
  QRect room(QPoint(), available.size() * kScreenShare);
  room.moveCenter(available.center());
  setGeometry(room);
}

void TReportF::fitScrollBar() {
  const int rows = doc_ ? doc_->CurRow + 1 : 0;
  const int perScreen = reportPreview->rowsPerScreen();
  if (rows <= perScreen) {
    previewScrollBar->setRange(0, 0);
    previewScrollBar->hide();
    return;
  }
  previewScrollBar->setRange(0, rows - perScreen);
  previewScrollBar->setPageStep(std::max(1, perScreen - 1));
  previewScrollBar->setSingleStep(1);
  previewScrollBar->show();
}

void TReportF::exitClicked() {
  accept();
}

// Without a printer the report can still go to a PDF file.
void TReportF::printClicked() {
  if (!doc_) return;
  if (!ui_.printers.available()) {
    if (ui_.dialogs.offer("Print", "No printer is installed. Save the report as a PDF file?",
                          "Save as PDF\u2026")) {
      pdfExportClicked();
    }
    return;
  }
  MissingPictures missing;
  reported([this, &missing] {
    vt::ui::WaitCursor busy;
    PrintReport(*doc_, ui_.printers.printer(), reportFont_, &missing);
  });
  tellMissing(missing);
}

void TReportF::textExportClicked() {
  exportReport(FileForm::AlignedText);
}

void TReportF::tabExportClicked() {
  exportReport(FileForm::TabDelimited);
}

void TReportF::pdfExportClicked() {
  exportReport(FileForm::Pdf);
}

void TReportF::csvExportClicked() {
  exportReport(FileForm::Csv);
}

void TReportF::emailClicked() {
  if (doc_ && mailer_) mailer_(*doc_);
}

void TReportF::eachPdfClicked() {
  if (!doc_) return;
  const QString workingDirectory = QDir::currentPath();
  const std::optional<std::string> chosen = ui_.dialogs.chooseDirectory("Save Each as PDF", "Save");
  QDir::setCurrent(workingDirectory);
  if (!chosen || chosen->empty()) return;
  MissingPictures missing;
  QString failed;
  int written = 0;
  reported([&] {
    vt::ui::WaitCursor busy;
    failed = WriteEachPdf(*doc_, QString::fromStdString(*chosen), reportFont_,
                          ui_.printers.printer().pageLayout(), &written, &missing);
  });
  tellMissing(missing);
  if (!failed.isEmpty()) ui_.dialogs.information("", "Unable to save to: " + failed.toStdString());
  if (written > 0)
    ui_.dialogs.information("Save Each as PDF",
                            vt::ui::FilesWentLine(written, "saved in", *chosen));
}

// The dialog may leave the process in another directory; the one the
// program works in is restored before the file is written.
void TReportF::exportReport(FileForm form) {
  if (!doc_) return;
  const FileKind& kind = kFileKinds[static_cast<int>(form)];
  const QString workingDirectory = QDir::currentPath();
  const std::optional<std::string> chosen = ui_.dialogs.saveFile("Export Report", kind.filter, "");
  QDir::setCurrent(workingDirectory);
  if (!chosen || chosen->empty()) return;
  QString path = QString::fromStdString(*chosen);
  if (QFileInfo(path).suffix().isEmpty()) {
    // A name the dialog took without its extension: the file it becomes has
    // not been confirmed yet.
    path += QStringLiteral(".") + kind.extension;
    if (QFileInfo::exists(path) &&
        !ui_.dialogs.question("Export Report",
                              path.toStdString() + " already exists.\nDo you want to replace it?"))
      return;
  }
  reported([&] {
    if (!writeFile(form, path))
      ui_.dialogs.information("", "Unable to save to: " + path.toStdString());
  });
}

bool TReportF::writeFile(FileForm form, const QString& path) {
  vt::ui::WaitCursor busy;
  switch (form) {
    case FileForm::AlignedText:
      return WriteReportText(*doc_, path, ExportForm::AlignedText);
    case FileForm::TabDelimited:
      return WriteReportText(*doc_, path, ExportForm::TabDelimited);
    case FileForm::Csv:
      return WriteReportCsv(*doc_, path);
    case FileForm::Pdf: {
      MissingPictures missing;
      const bool written =
          WriteReportPdf(*doc_, path, reportFont_, ui_.printers.printer().pageLayout(), &missing);
      tellMissing(missing);
      return written;
    }
  }
  return false;
}

void TReportF::tellMissing(const MissingPictures& missing) {
  for (const std::string& fileName : missing) {
    ui_.dialogs.information("", MissingPictureText(fileName));
  }
}

void TReportF::reported(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::runtime_error& error) {
    ui_.dialogs.information("", error.what());
  }
}

void TReportF::keyPressEvent(QKeyEvent* event) {
  QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
  switch (event->key()) {
    case Qt::Key_PageUp:
      action = QAbstractSlider::SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      action = QAbstractSlider::SliderPageStepAdd;
      break;
    case Qt::Key_Up:
      action = QAbstractSlider::SliderSingleStepSub;
      break;
    case Qt::Key_Down:
      action = QAbstractSlider::SliderSingleStepAdd;
      break;
    case Qt::Key_Home:
      action = QAbstractSlider::SliderToMinimum;
      break;
    case Qt::Key_End:
      action = QAbstractSlider::SliderToMaximum;
      break;
    default:
      QDialog::keyPressEvent(event);
      return;
  }
  previewScrollBar->triggerAction(action);
}

}  // namespace vt::reports
