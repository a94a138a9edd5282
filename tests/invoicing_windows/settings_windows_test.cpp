// The tax definition and stationary windows as a user fills them in: what
// they show from the settings, and what Save and Cancel leave in the
// settings record.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "base/text1252.h"
#include "customer_test_support.h"
#include "invoicing/settings_window_support.h"
#include "invoicing/tstationary.h"
#include "invoicing/ttaxdef.h"
#include "ui/amount_edit.h"

namespace vt::invoicing {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::TypeInto;

// A file dialog that leaves the working directory elsewhere, as a real one
// may.
class MovingDialogs : public base::ScriptedDialogs {
 public:
  std::optional<std::string> openFile(const std::string& caption,
                                      const std::string& filter) override {
    QDir::setCurrent(QDir::rootPath());
    return ScriptedDialogs::openFile(caption, filter);
  }
};

class SettingsWindowTest : public catalog::custtest::CustomerWindowTest {
 protected:
  // The settings record as a new run would read it.
  data::Settings stored() const {
    base::ScriptedDialogs answers;
    base::ThrowingExit quit;
    data::DataSession reader(dir.path(), answers, quit);
    EXPECT_TRUE(reader.OpenSettings());
    EXPECT_GE(reader.ReadSettings(), 0);
    reader.CloseAll();
    return reader.settings;
  }

  template <class Window>
  void use(Window& window, std::function<void(Window&)> action) {
    ModalScript script;
    script.on<Window>(action);
    EXPECT_TRUE(script.run([&] { window.run(); }));
  }

  // A click on the button's circle.
  static void choose(QRadioButton* radio) {
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
  }
};

TEST_F(SettingsWindowTest, TaxDefinitionShowsTheSettingsAndSavesTheChoices) {
  session.settings.ShipLine = "Shipping   ";
  session.settings.TaxLine = "Sales Tax";
  session.settings.TaxRate1 = 5.5;
  session.settings.TaxRate2 = 7.25;
  session.settings.ShipTax = 1;
  session.settings.TaxRound = 2;
  TTaxDef window(nullptr, session, ui);
  const QString longLabel(70, 'L');
  QString typedLabel;
  use<TTaxDef>(window, [&](TTaxDef& w) {
    EXPECT_EQ(w.tax1LabelEdit->text(), QString("Shipping"));
    EXPECT_EQ(w.tax1RateEdit->text(), QString(" 5.50"));
    EXPECT_EQ(w.tax2OnTax1Group->index(), 0);
    EXPECT_EQ(w.roundingGroup->index(), 1);
    TypeInto(w.tax2LabelEdit, longLabel);
    typedLabel = w.tax2LabelEdit->text();
    TypeInto(w.tax2RateEdit, "8.25");
    choose(w.tax2OnTax1Group->item(2));
    choose(w.roundingGroup->item(2));
    Click(w.saveButton);
  });
  const data::Settings saved = stored();
  EXPECT_EQ(base::trim(saved.ShipLine), "Shipping");
  // What the field took is what is stored: never more than 59 characters.
  EXPECT_LE(typedLabel.size(), 59);
  EXPECT_TRUE(longLabel.startsWith(typedLabel));
  EXPECT_EQ(base::trim(saved.TaxLine), typedLabel.toStdString());
  EXPECT_DOUBLE_EQ(saved.TaxRate1, 5.5);
  EXPECT_DOUBLE_EQ(saved.TaxRate2, 8.25);
  EXPECT_EQ(saved.ShipTax, 3);
  EXPECT_EQ(saved.TaxRound, 3);
}

TEST_F(SettingsWindowTest, TaxChoicesStoredAsZeroShowNoneAndStayZero) {
  session.settings.ShipTax = 0;
  session.settings.TaxRound = 0;
  TTaxDef window(nullptr, session, ui);
  use<TTaxDef>(window, [](TTaxDef& w) {
    EXPECT_EQ(w.tax2OnTax1Group->index(), -1);
    EXPECT_EQ(w.roundingGroup->index(), -1);
    Click(w.saveButton);
  });
  EXPECT_EQ(stored().ShipTax, 0);
  EXPECT_EQ(stored().TaxRound, 0);
}

TEST_F(SettingsWindowTest, StationaryKeepsOnlyLogosThatExistAndCancelWritesNothing) {
  const std::string logo = dir.path() + "/logo.png";
  QFile(QString::fromStdString(logo)).open(QIODevice::WriteOnly);
  const QString directory = QDir::currentPath();
  const data::Settings before = stored();
  MovingDialogs moving;
  ui::UiContext movingUi{moving, printers, help};
  TStationary window(nullptr, session, movingUi);
  moving.queueText(logo);
  use<TStationary>(window, [&](TStationary& w) {
    Click(w.logoButton);
    EXPECT_EQ(w.logoFileEdit->text().toStdString(), logo);
    TypeInto(w.companyEdit, "Other Company");
    Click(w.cancelButton);
  });
  ASSERT_FALSE(moving.shown().empty());
  EXPECT_NE(moving.shown().back().text.find("*.png"), std::string::npos);
  EXPECT_EQ(QDir::currentPath(), directory);
  EXPECT_EQ(stored().Company, before.Company);
  EXPECT_EQ(stored().LogoFile, before.LogoFile);

  use<TStationary>(window, [&](TStationary& w) {
    TypeInto(w.logoFileEdit, QString::fromStdString(dir.path() + "/missing.bmp"));
    TypeInto(w.companyEdit, "Acme");
    choose(w.rightRadio);
    Click(w.saveButton);
  });
  const data::Settings saved = stored();
  EXPECT_EQ(base::trim(saved.LogoFile), "");
  EXPECT_EQ(base::trim(saved.Company), "Acme");
  EXPECT_EQ(saved.LHJustify, 3);
}

TEST_F(SettingsWindowTest, StationaryShowsOnlyANegativeTopMarginRed) {
  TStationary window(nullptr, session, ui);
  use<TStationary>(window, [&](TStationary& w) {
    for (ui::AmountEdit* measure : {w.topMarginEdit, w.logoHeightEdit, w.logoWidthEdit}) {
      TypeInto(measure, "-0.5");
      QTest::keyClick(measure, Qt::Key_Tab);
    }
    auto colour = [](QWidget* field) { return field->palette().color(QPalette::Text); };
    EXPECT_EQ(colour(w.topMarginEdit), QColor(Qt::red));
    EXPECT_EQ(colour(w.logoHeightEdit), QColor(Qt::black));
    EXPECT_EQ(colour(w.logoWidthEdit), QColor(Qt::black));
    Click(w.cancelButton);
  });
}

TEST_F(SettingsWindowTest, StationaryRefusesALogoPathLongerThanTheSettingsKeep) {
  const std::string logo = dir.path() + "/logo.png";
  const std::string folder = dir.path() + "/" + std::string(60, 'f');
  const std::string longLogo = folder + "/logo.png";
  ASSERT_LE(logo.size(), 59u);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
  for (const std::string& path : {logo, longLogo}) {
    ASSERT_TRUE(QFile(QString::fromStdString(path)).open(QIODevice::WriteOnly));
  }
  dialogs.queueText(logo);
  dialogs.queueText(longLogo);
  TStationary window(nullptr, session, ui);
  use<TStationary>(window, [&](TStationary& w) {
    Click(w.logoButton);
    Click(w.logoButton);
    EXPECT_EQ(w.logoFileEdit->text().toStdString(), logo);
    Click(w.saveButton);
  });
  EXPECT_EQ(messages().back(), TStationary::kLogoPathTooLong);
  EXPECT_NE(messages().back().find("59 characters"), std::string::npos);
  EXPECT_EQ(base::trim(stored().LogoFile), logo);
}

}  // namespace
}  // namespace vt::invoicing
