// The printer without any printer installed, and the scripted answers to the
// font dialog and the printer setup.
#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <stdexcept>

#include "base/dialogs.h"
#include "ui/printer_state.h"

namespace vt::ui {
namespace {

TEST(PrinterState, WithoutAPrinterInstalledPrintsToPdf) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
  PrinterState printers;
  EXPECT_FALSE(printers.available());
  EXPECT_TRUE(printers.describe().isEmpty());
  EXPECT_EQ(printers.printer().outputFormat(), QPrinter::PdfFormat);
  EXPECT_GT(printers.printer().pageRect(QPrinter::DevicePixel).width(), 0);
}

TEST(ScriptedDialogs, FontAnswersAreGivenAndRecorded) {
  base::ScriptedDialogs dialogs;
  const base::FontSpec courier{"Courier New", 10, true, false};
  dialogs.queueFont(courier);
  dialogs.queueFont(std::nullopt);
  base::Dialogs& d = dialogs;
  EXPECT_EQ(d.chooseFont({"Arial", 12}), courier);
  EXPECT_EQ(d.chooseFont(courier), std::nullopt);
  ASSERT_EQ(dialogs.shown().size(), 2u);
  EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Font);
  EXPECT_EQ(dialogs.shown()[0].text, "Arial");
  EXPECT_EQ(dialogs.shown()[1].text, "Courier New");
}

TEST(ScriptedDialogs, PrinterSetupTakesAChoice) {
  base::ScriptedDialogs dialogs;
  dialogs.queueChoice(true);
  dialogs.queueChoice(false);
  EXPECT_TRUE(dialogs.printerSetup());
  EXPECT_FALSE(dialogs.printerSetup());
  ASSERT_EQ(dialogs.shown().size(), 2u);
  EXPECT_EQ(dialogs.shown()[1].kind, base::DialogKind::Printer);
}

TEST(ScriptedDialogs, FontAndPrinterAnswersMustBeOfTheirSort) {
  base::ScriptedDialogs dialogs;
  EXPECT_THROW(dialogs.chooseFont({}), std::logic_error) << "nothing queued";
  dialogs.queueChoice(true);
  EXPECT_THROW(dialogs.chooseFont({}), std::logic_error);
  dialogs.queueFont(base::FontSpec{"Arial", 9});
  EXPECT_THROW(dialogs.printerSetup(), std::logic_error);
  dialogs.queueFont(base::FontSpec{"Arial", 9});
  EXPECT_THROW(dialogs.inputBox("", "Number?", ""), std::logic_error);
}

}  // namespace
}  // namespace vt::ui
