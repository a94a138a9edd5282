#include "reports/page_metrics.h"

#include "base/text1252.h"

namespace vt::reports {

bool PlainMetrics::fits(const std::string& line, int reportWidth) const {
  return static_cast<long>(base::fromUtf8(line).size()) <= reportWidth;
}

}  // namespace vt::reports
