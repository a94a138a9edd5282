#include "ui/report_font.h"

#include <QGuiApplication>

namespace vt::ui {

base::FontSpec ToFontSpec(const QFont& font) {
  return {font.family().toStdString(), font.pointSize(), font.bold(), font.italic()};
}

QFont FromFontSpec(const base::FontSpec& chosen) {
  QFont font(QString::fromStdString(chosen.family));
  if (chosen.pointSize > 0) font.setPointSize(chosen.pointSize);
  font.setBold(chosen.bold);
  font.setItalic(chosen.italic);
  return font;
}

QFont ReportFontFromSettings(const data::Settings& settings, const QFont& designFont) {
  QFont font = designFont;
  const QString name = QString::fromStdString(settings.FontName).trimmed();
  if (!name.isEmpty()) font.setFamily(name);
  if (settings.FontSize > 0) font.setPointSize(settings.FontSize);
  return font;
}

void StoreReportFont(const QFont& font, data::Settings& settings) {
  settings.FontName = font.family().toStdString();
  settings.FontSize = font.pointSize();
}

QString FontText(const QFont& font) {
  return font.family() + "@" + QString::number(font.pointSize());
}

QFont DesignReportFont() {
  return QFont(QGuiApplication::font().family(), 8);
}

}  // namespace vt::ui
