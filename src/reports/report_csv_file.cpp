#include "reports/report_csv_file.h"

#include <QSaveFile>

#include "reports/report_csv.h"

namespace vt::reports {

bool WriteReportCsv(const ReportDoc& doc, const QString& path) {
  const std::string bytes = CsvText(doc);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size) return false;
  return file.commit();
}

}  // namespace vt::reports
