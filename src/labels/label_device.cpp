#include "labels/label_device.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <stdexcept>

namespace vt::labels {

namespace {

QString fromText(const std::string& text) {
  return QString::fromStdString(text);
}

DeviceSize sizeOf(const QRect& rect) {
  return {rect.width(), rect.height()};
}

}  // namespace

PaperSize PaperOf(const QPageLayout& pageLayout) {
  const QRectF paper = pageLayout.fullRect(QPageLayout::Point);
  return {paper.width(), paper.height()};
}

PaintedLabelDevice::PaintedLabelDevice(const QFont& reportFont) : font_(reportFont) {
  if (font_.pointSize() <= 0) font_.setPointSize(8);
}

void PaintedLabelDevice::beginDocument() {
  QPagedPaintDevice& target = open();
  if (!painter_.begin(&target)) throw std::runtime_error("Unable to start printing the labels");
  painter_.setFont(font_);
}

void PaintedLabelDevice::newPage() {
  if (!device().newPage()) throw std::runtime_error("Unable to start a new page of labels");
}

void PaintedLabelDevice::endDocument() {
  if (!painter_.end()) throw std::runtime_error("Unable to finish printing the labels");
  close();
}

int PaintedLabelDevice::dpiX() const {
  return device().logicalDpiX();
}

int PaintedLabelDevice::dpiY() const {
  return device().logicalDpiY();
}

// The layout's paint rectangle stands inside its full rectangle by the
// unprintable strips.
DeviceSize PaintedLabelDevice::printingOffset() const {
  const QPageLayout layout = device().pageLayout();
  const int dpi = device().logicalDpiX();
  const QPoint offset =
      layout.paintRectPixels(dpi).topLeft() - layout.fullRectPixels(dpi).topLeft();
  return {offset.x(), offset.y()};
}

DeviceSize PaintedLabelDevice::physicalSize() const {
  return sizeOf(device().pageLayout().fullRectPixels(device().logicalDpiX()));
}

DeviceSize PaintedLabelDevice::printableSize() const {
  return sizeOf(device().pageLayout().paintRectPixels(device().logicalDpiX()));
}

void PaintedLabelDevice::setFontSize(int points) {
  font_.setPointSize(points);
  if (painter_.isActive()) painter_.setFont(font_);
}

int PaintedLabelDevice::textWidth(const std::string& text) const {
  return QFontMetrics(font_, &device()).horizontalAdvance(fromText(text));
}

int PaintedLabelDevice::textHeight(const std::string& text) const {
  return text.empty() ? 0 : QFontMetrics(font_, &device()).height();
}

void PaintedLabelDevice::drawText(int x, int y, const std::string& text) {
  painter_.drawText(QPoint(x, y + QFontMetrics(font_, &device()).ascent()), fromText(text));
}

PrinterLabelDevice::PrinterLabelDevice(QPrinter& printer, const QFont& reportFont)
    : PaintedLabelDevice(reportFont), printer_(printer) {}

// A document not ended is abandoned rather than printed in part.
PrinterLabelDevice::~PrinterLabelDevice() {
  if (!painter_.isActive()) return;
  printer_.abort();
  painter_.end();
}

QPagedPaintDevice& PrinterLabelDevice::open() {
  return printer_;
}

void PrinterLabelDevice::close() {}

QPagedPaintDevice& PrinterLabelDevice::device() const {
  return printer_;
}

PdfLabelDevice::PdfLabelDevice(const QString& path, const QPageLayout& pageLayout,
                               const QFont& reportFont)
    : PaintedLabelDevice(reportFont),
      path_(path),
      writer_(std::make_unique<QPdfWriter>(&measureOnly_)) {
  // Measured on a writer of the same pages until the file is opened.
  writer_->setPageLayout(pageLayout);
}

PdfLabelDevice::~PdfLabelDevice() {
  if (painter_.isActive()) painter_.end();
  writer_.reset();
  // A document not ended leaves any earlier file as it was.
  if (file_) file_->cancelWriting();
}

QPagedPaintDevice& PdfLabelDevice::open() {
  const QPageLayout layout = writer_->pageLayout();
  file_ = std::make_unique<QSaveFile>(path_);
  if (!file_->open(QIODevice::WriteOnly)) {
    throw std::runtime_error("Unable to save to: " + path_.toStdString());
  }
  writer_ = std::make_unique<QPdfWriter>(file_.get());
  writer_->setPageLayout(layout);
  writer_->setCreator(QStringLiteral("Vantrell & Inventory"));
  return *writer_;
}

void PdfLabelDevice::close() {
  writer_.reset();
  if (!file_->commit()) throw std::runtime_error("Unable to save to: " + path_.toStdString());
  file_.reset();
}

QPagedPaintDevice& PdfLabelDevice::device() const {
  return *writer_;
}

}  // namespace vt::labels
