#include "ui/printer_state.h"

#include <QPageLayout>
#include <QPrinterInfo>

namespace vt::ui {

namespace {

QPrinterInfo installedPrinter() {
  QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
  if (chosen.isNull()) {
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    if (!all.isEmpty()) chosen = all.front();
  }
  return chosen;
}

}  // namespace

QPageSize LocalePageSize(const QLocale& locale) {
  const bool letter =
      locale.territory() == QLocale::UnitedStates || locale.territory() == QLocale::Canada;
  return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

PrinterState::PrinterState() {
  const QPrinterInfo installed = installedPrinter();
  if (installed.isNull()) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageSize(LocalePageSize());
  } else {
    printer_.setPrinterName(installed.printerName());
  }
}

bool PrinterState::available() const {
  return printer_.outputFormat() == QPrinter::NativeFormat &&
         !QPrinterInfo::printerInfo(printer_.printerName()).isNull();
}

QString PrinterState::describe() const {
  if (!available()) return {};
  const bool landscape = printer_.pageLayout().orientation() == QPageLayout::Landscape;
  return printer_.printerName() + (landscape ? "-Landscape" : "-Portrait");
}

}  // namespace vt::ui
