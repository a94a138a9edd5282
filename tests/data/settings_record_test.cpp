// The settings record: read at start, every write carries every variable,
// texts cut to 59 characters, and a missing VTR1 ends the program naming it.
#include <gtest/gtest.h>

#include <filesystem>

#include "access_test_support.h"
#include "base/text1252.h"
#include "engine/engine.h"

namespace vt::data {
namespace {

using testing::AccessTest;

class SettingsRecordTest : public AccessTest {
 protected:
  // Opens, changes the settings as `change` does, writes and closes.
  void writeWith(DataSession& s, const std::function<void(Settings&)>& change) {
    ASSERT_TRUE(s.OpenSettings());
    change(s.settings);
    ASSERT_EQ(s.WriteSettings(), 0);
    s.CloseSettings();
  }
  Settings readFresh() {
    auto fresh = newSession();
    EXPECT_TRUE(fresh->OpenSettings());
    EXPECT_EQ(fresh->ReadSettings(), 0);
    fresh->CloseAll();
    return fresh->settings;
  }
  // The raw text of a VTR1 field.
  std::string rawField(const std::string& name) {
    engine::Engine engine(dir.path());
    engine.autoOpen = false;
    engine::Table* t = engine.open("VTR1");
    EXPECT_NE(t, nullptr);
    if (!t) return {};
    t->top();
    return t->field(name)->str();
  }
};

TEST_F(SettingsRecordTest, ReadsTheInstalledRecord) {
  ASSERT_TRUE(session->OpenSettings());
  ASSERT_EQ(session->ReadSettings(), 0);
  const Settings& s = session->settings;
  EXPECT_EQ(base::trim(s.ShipLine), "Shipping");
  EXPECT_EQ(base::trim(s.TaxLine), "Sales Tax");
  EXPECT_EQ(s.ShipTax, 1);
  EXPECT_EQ(s.TaxRound, 1);
  EXPECT_EQ(s.FontSize, 0);
  EXPECT_TRUE(s.ByCust);
  EXPECT_TRUE(s.fifo);
  // Texts keep the field's blank padding as read.
  EXPECT_EQ(s.ShipLine.size(), 20u);
  EXPECT_EQ(s.Company, std::string(59, ' '));
}

TEST_F(SettingsRecordTest, FontThenCustomerOrderAreBothInTheRecord) {
  ASSERT_TRUE(session->OpenSettings());
  ASSERT_EQ(session->ReadSettings(), 0);
  session->CloseSettings();
  writeWith(*session, [](Settings& s) {
    s.FontName = "Courier New";
    s.FontSize = 11;
  });
  writeWith(*session, [](Settings& s) { s.ByCust = false; });

  const Settings read = readFresh();
  EXPECT_EQ(base::trim(read.FontName), "Courier New");
  EXPECT_EQ(read.FontSize, 11);
  EXPECT_FALSE(read.ByCust);
  EXPECT_TRUE(read.fifo);
  EXPECT_EQ(base::trim(read.ShipLine), "Shipping");
}

TEST_F(SettingsRecordTest, EveryVariableRoundTrips) {
  Settings all;
  all.FontName = "Arial";
  all.FontSize = 9;
  all.LabID = "Avery 5160";
  all.Company = "Gr\xC3\xBCn & S\xC3\xB6hne";
  all.Addr1 = "1 Main St";
  all.Addr2 = "Suite 2";
  all.Addr3 = "Floor 3";
  all.Addr4 = "Springfield IL";
  all.CloLine = "Thank you";
  all.SigLine = "A. Owner";
  all.LogoFile = "/home/owner/logo.bmp";
  all.LogoHeight = 1.25;
  all.LogoWidth = 2.5;
  all.LHJustify = 3;
  all.TopMargin = 0.75;
  all.ShipLine = "Freight";
  all.TaxLine = "VAT";
  all.TaxRate1 = 7.25;
  all.TaxRate2 = 99.99;
  all.ShipTax = 2;
  all.TaxRound = 3;
  all.ByCust = false;
  all.fifo = false;
  writeWith(*session, [&](Settings& s) { s = all; });

  const Settings read = readFresh();
  EXPECT_EQ(base::trim(read.FontName), all.FontName);
  EXPECT_EQ(read.FontSize, all.FontSize);
  EXPECT_EQ(base::trim(read.LabID), all.LabID);
  EXPECT_EQ(base::trim(read.Company), all.Company);
  EXPECT_EQ(base::trim(read.Addr1), all.Addr1);
  EXPECT_EQ(base::trim(read.Addr2), all.Addr2);
  EXPECT_EQ(base::trim(read.Addr3), all.Addr3);
  EXPECT_EQ(base::trim(read.Addr4), all.Addr4);
  EXPECT_EQ(base::trim(read.CloLine), all.CloLine);
  EXPECT_EQ(base::trim(read.SigLine), all.SigLine);
  EXPECT_EQ(base::trim(read.LogoFile), all.LogoFile);
  EXPECT_DOUBLE_EQ(read.LogoHeight, all.LogoHeight);
  EXPECT_DOUBLE_EQ(read.LogoWidth, all.LogoWidth);
  EXPECT_EQ(read.LHJustify, all.LHJustify);
  EXPECT_DOUBLE_EQ(read.TopMargin, all.TopMargin);
  EXPECT_EQ(base::trim(read.ShipLine), all.ShipLine);
  EXPECT_EQ(base::trim(read.TaxLine), all.TaxLine);
  EXPECT_DOUBLE_EQ(read.TaxRate1, all.TaxRate1);
  EXPECT_DOUBLE_EQ(read.TaxRate2, all.TaxRate2);
  EXPECT_EQ(read.ShipTax, all.ShipTax);
  EXPECT_EQ(read.TaxRound, all.TaxRound);
  EXPECT_FALSE(read.ByCust);
  EXPECT_FALSE(read.fifo);
  EXPECT_EQ(rawField("ByCust"), "F");
  // Windows-1252 in the file.
  EXPECT_EQ(base::trimRight(rawField("Company")), "Gr\xFCn & S\xF6hne");
}

TEST_F(SettingsRecordTest, TextsAreCutTo59Characters) {
  const std::string longPath = "/" + std::string(70, 'p');
  writeWith(*session, [&](Settings& s) { s.LogoFile = longPath; });
  EXPECT_EQ(rawField("LogoFile"), longPath.substr(0, 59));
}

TEST_F(SettingsRecordTest, MissingFileEndsTheProgramNamingIt) {
  std::filesystem::remove(dir.file("VTR1.dbf"));
  EXPECT_THROW(session->OpenSettings(), base::ProgramExited);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "Unable to open file VTR1.DBF\r\nProgram will now terminate.");
  EXPECT_EQ(exit.lastCode(), 1);
}

TEST_F(SettingsRecordTest, ClosingTheSettingsLeavesOtherTablesOpen) {
  ASSERT_TRUE(session->OpenCustomers());
  ASSERT_TRUE(session->OpenSettings());
  session->CloseSettings();
  EXPECT_EQ(session->table(TableId::Settings), nullptr);
  EXPECT_NE(session->customers(), nullptr);
  EXPECT_EQ(session->ReadSettings(), engine::kErrOpen);
}

}  // namespace
}  // namespace vt::data
