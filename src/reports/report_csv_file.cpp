#include "reports/report_csv_file.h"

#include <QDate>
#include <QSaveFile>

#include "invoicing/locale_view_texts.h"
#include "reports/report_csv.h"
#include "ui/locale_format.h"

namespace vt::reports {

namespace {

// The texts of a report: amounts with the system's separator, dates in the
// system's short date format (as the session writes them into documents).
class ReportTexts final : public invoicing::ViewTexts {
 public:
  double number(const std::string& text) const override { return locale_.number(text); }
  base::DateTime date(const std::string& text) const override {
    const QDate date = QDate::fromString(QString::fromStdString(text), ui::shortDateFormat());
    if (!date.isValid()) return locale_.date(text);
    return base::MakeDate(date.year(), date.month(), date.day());
  }
  std::string amount(double value) const override { return locale_.amount(value); }

 private:
  invoicing::LocaleViewTexts locale_;
};

}  // namespace

bool WriteReportCsv(const ReportDoc& doc, const QString& path) {
  const std::string bytes = CsvText(doc, ReportTexts());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size) return false;
  return file.commit();
}

}  // namespace vt::reports
