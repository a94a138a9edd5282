// The letterhead every customer document starts with, and the breaking of
// long texts into the lines that fit the report.
#include "base/text1252.h"
#include "reports/customer_documents.h"
#include "reports/report_cells.h"

namespace vt::reports {

namespace {

// The bytes of the UTF-8 character that starts at `at`.
size_t characterLength(const std::string& text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return std::min(length, text.size() - at);
}

// The last character of `line`, taken off it.
std::string takeLastCharacter(std::string& line) {
  size_t at = line.size() - 1;
  while (at > 0 && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80) --at;
  std::string last = line.substr(at);
  line.erase(at);
  return last;
}

}  // namespace

std::string CustomerDocuments::prefix() const {
  switch (session_.settings.LHJustify) {
    case 2:
      return "C" + ColumnField(doc_.ReportWidth / 2);
    case 3:
      return "R" + ColumnField(doc_.ReportWidth);
    default:
      return "L00";
  }
}

bool CustomerDocuments::stationaryEmpty() const {
  const data::Settings& s = session_.settings;
  for (const std::string* line : {&s.Company, &s.Addr1, &s.Addr2, &s.Addr3, &s.Addr4}) {
    if (!base::trim(*line).empty()) return false;
  }
  return true;
}

void CustomerDocuments::Letterhead() {
  const data::Settings& s = session_.settings;
  doc_.PageLine = 0;
  doc_.PageNo = 1;
  const double resolution = metrics_.resolutionY();
  const double height = metrics_.rowHeight();
  const std::string lead = prefix();
  if (s.TopMargin > 0) {
    while (resolution * s.TopMargin > height * doc_.PageLine) doc_.NewLine();
  }
  const std::string logo = base::trim(s.LogoFile);
  if (!logo.empty()) {
    row({{0, "I" + lead + logo}});
    doc_.style() = PictureStyle(s.LogoHeight, s.LogoWidth);
    const long room = static_cast<long>(resolution * s.LogoHeight / height);
    for (long i = 0; i < room; ++i) doc_.NewLine();
    if (room > 1 && stationaryEmpty()) doc_.style() = "U";
  }
  if (!stationaryEmpty()) {
    for (const std::string* line : {&s.Company, &s.Addr1, &s.Addr2}) {
      row({{0, lead + base::trim(*line)}});
      doc_.style() = "B";
    }
    const bool addr3 = !base::trim(s.Addr3).empty() || !base::trim(s.Addr4).empty();
    if (addr3) row({{0, lead + base::trim(s.Addr3)}, {doc_.ReportCols - 1, "B"}});
    if (!base::trim(s.Addr4).empty())
      row({{0, lead + base::trim(s.Addr4)}, {doc_.ReportCols - 1, "B"}});
    doc_.style() += "U";
  }
  row({{0, "R" + ColumnField(doc_.ReportWidth) + today()}});
  doc_.NewLine();
}

bool CustomerDocuments::SplitText(const std::string& text, std::vector<std::string>& lines) const {
  lines.assign(1, std::string());
  const std::string trimmed = base::trim(text);
  if (trimmed.empty()) return false;
  for (size_t at = 0; at < trimmed.size();) {
    const size_t length = characterLength(trimmed, at);
    const std::string character = trimmed.substr(at, length);
    at += length;
    if (character == "\n") {
      lines.emplace_back();
      continue;
    }
    if (character == "\r") continue;
    std::string& line = lines.back();
    line += character;
    if (metrics_.fits(line, doc_.ReportWidth)) continue;
    const size_t blank = line.rfind(' ');
    std::string rest;
    if (blank != std::string::npos) {
      rest = line.substr(blank + 1);
      line.erase(blank + 1);
    } else {
      // A word wider than the line is broken where it runs over.
      rest = takeLastCharacter(line);
    }
    lines.push_back(rest);
  }
  return true;
}

}  // namespace vt::reports
