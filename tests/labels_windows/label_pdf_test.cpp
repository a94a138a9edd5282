// Labels written to a PDF file land where the stock puts them, measured
// from the paper's edges whatever the page margins (pdftotext -bbox reads
// the words' boxes back in points), from the window's runs and from
// vantrell-tool labels.
#include <gtest/gtest.h>

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "demo_test_support.h"
#include "labels/label_device.h"

namespace vt::labels {
namespace {

// The top-left corner of `word`'s box in the pdftotext -bbox output.
std::pair<double, double> cornerOf(const std::string& bbox, const std::string& word) {
  const std::regex pattern("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>" + word + "<");
  std::smatch found;
  if (!std::regex_search(bbox, found, pattern)) return {-1, -1};
  return {std::stod(found[1]), std::stod(found[2])};
}

std::string bboxOf(const std::string& pdf) {
  std::string out;
  FILE* pipe = popen(("pdftotext -bbox '" + pdf + "' - 2>/dev/null").c_str(), "r");
  char buffer[4096];
  for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (pipe) pclose(pipe);
  return out;
}

TEST(LabelPdf, LabelsSitAtTheirPlaceOnThePaper) {
  if (!std::filesystem::exists("/usr/bin/pdftotext")) GTEST_SKIP() << "pdftotext is missing";
  QTemporaryDir dir;
  const QString path = dir.filePath("labels.pdf");
  data::LabelRecord stock;
  stock.NAcross = 2;
  stock.Dims[data::LabelDim::TopM] = 72;
  stock.Dims[data::LabelDim::LeftM] = 36;
  stock.Dims[data::LabelDim::Width] = 250;
  stock.Dims[data::LabelDim::HGap] = 20;
  stock.Dims[data::LabelDim::Height] = 100;
  // Page margins of 18 points stand for a printer's unprintable strips.
  const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                           QMarginsF(18, 18, 18, 18));
  QFont font("DejaVu Sans");
  font.setPointSize(10);
  {
    PdfLabelDevice device(path, layout, font);
    LabelRun run(stock, 1, 2, device);
    for (const char* name : {"Alpha", "Bravo", "Charlie"}) run.Add({name, "Street"});
    run.Finish();
  }
  const std::string bbox = bboxOf(path.toStdString());
  struct Case {
    const char* word;
    double x, y;
  };
  // Row 2 then row 3; the second column 250 + 20 points to the right.
  for (const Case& c :
       {Case{"Alpha", 36, 172}, Case{"Bravo", 306, 172}, Case{"Charlie", 36, 272}}) {
    const auto [x, y] = cornerOf(bbox, c.word);
    EXPECT_NEAR(x, c.x, 2) << c.word;
    EXPECT_NEAR(y, c.y, 4) << c.word;
  }
}

// The demo's three-across sheet: the first label in column 3 of row 2.
TEST(LabelPdf, TheToolPlacesAGroupsLabels) {
  if (!std::filesystem::exists("/usr/bin/pdftotext")) GTEST_SKIP() << "pdftotext is missing";
  QTemporaryDir dir;
  const std::string data = dir.filePath("data").toStdString();
  const std::string pdf = dir.filePath("labels.pdf").toStdString();
  data::testing::makeDemoDir(data);
  const auto run = [&](const char* stock) {
    return data::testing::runTool({"labels", "--data", data, "--stock", stock, "--groups", "1",
                                   "--start-row", "2", "--start-col", "3", "--out", pdf});
  };
  EXPECT_EQ(run("No such stock").code, 1);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  // A Letter sheet: refused on the A4 paper of a German locale, placed on
  // the Letter paper of a US one.
  qputenv("LC_ALL", "de_DE.UTF-8");
  const auto onA4 = run("Avery 5160 (3 across)");
  EXPECT_EQ(onA4.code, 1);
  EXPECT_NE(onA4.err.find("are wider than the page (595 points)"), std::string::npos) << onA4.err;
  qputenv("LC_ALL", "en_US.UTF-8");
  const auto onLetter = run("Avery 5160 (3 across)");
  qunsetenv("LC_ALL");
  ASSERT_EQ(onLetter.code, 0) << onLetter.err;
  EXPECT_EQ(onLetter.err.find("QStandardPaths"), std::string::npos) << onLetter.err;
  const std::string bbox = bboxOf(pdf);
  const size_t first = bbox.find("<word xMin=\"");
  ASSERT_NE(first, std::string::npos);
  const double x = std::stod(bbox.substr(first + 12));
  const double y = std::stod(bbox.substr(bbox.find("yMin=\"", first) + 6));
  EXPECT_NEAR(x, 13.5 + 2 * (189 + 9), 2);
  EXPECT_NEAR(y, 36 + 72, 4);
}

}  // namespace
}  // namespace vt::labels
