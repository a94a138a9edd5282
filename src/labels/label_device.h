// Label devices through Qt: the current printer, or a PDF file with the
// same page layout. Both measure and draw with the report font on a
// QPainter; the page geometry comes from the device's page layout.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <memory>

#include "labels/label_placement.h"

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QSaveFile;

namespace vt::labels {

// The whole paper of `pageLayout` in points.
PaperSize PaperOf(const QPageLayout& pageLayout);

class PaintedLabelDevice : public LabelDevice {
 public:
  void beginDocument() override;
  void newPage() override;
  void endDocument() override;
  int dpiX() const override;
  int dpiY() const override;
  DeviceSize printingOffset() const override;
  DeviceSize physicalSize() const override;
  DeviceSize printableSize() const override;
  int fontSize() const override { return font_.pointSize(); }
  void setFontSize(int points) override;
  int textWidth(const std::string& text) const override;
  int textHeight(const std::string& text) const override;
  void drawText(int x, int y, const std::string& text) override;

 protected:
  explicit PaintedLabelDevice(const QFont& reportFont);
  // The device to paint on, made ready; throws when it cannot be.
  virtual QPagedPaintDevice& open() = 0;
  // The finished document handed over; throws when it cannot be.
  virtual void close() = 0;
  // The device in use, or the one whose geometry is measured before.
  virtual QPagedPaintDevice& device() const = 0;
  QPainter painter_;

 private:
  QFont font_;
};

// Labels on the printer with its current settings; a failure abandons the
// job.
class PrinterLabelDevice final : public PaintedLabelDevice {
 public:
  PrinterLabelDevice(QPrinter& printer, const QFont& reportFont);
  ~PrinterLabelDevice() override;

 private:
  QPagedPaintDevice& open() override;
  void close() override;
  QPagedPaintDevice& device() const override;
  QPrinter& printer_;
};

// Labels in a PDF file of `pageLayout` pages at `path`, which replaces any
// file there once the whole document is written; nothing is written when
// the document never begins or is not ended.
class PdfLabelDevice final : public PaintedLabelDevice {
 public:
  PdfLabelDevice(const QString& path, const QPageLayout& pageLayout, const QFont& reportFont);
  ~PdfLabelDevice() override;

 private:
  QPagedPaintDevice& open() override;
  void close() override;
  QPagedPaintDevice& device() const override;
  QString path_;
  // Never opened: the writer of the pages before the file is.
  QBuffer measureOnly_;
  std::unique_ptr<QSaveFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
};

}  // namespace vt::labels
