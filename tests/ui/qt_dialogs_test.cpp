// The Qt answers to the dialog interface: which box each question shows, with
// which buttons and caption, and what the user's click gives back.
#include "ui/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "ui/printer_state.h"
#include "ui/tdrivedir.h"
#include "ui/wait_cursor.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

// Answers the next modal window once it shows. Whatever is still open a few
// seconds later is rejected, so a wrong answer fails the test instead of
// hanging it.
class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { tryAnswer(); });
    poll_.start(10);
    QObject::connect(&bound_, &QTimer::timeout, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
      }
    });
    bound_.start(5000);
  }
  bool answered() const { return answered_; }

 private:
  void tryAnswer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || answered_) return;
    answered_ = true;
    poll_.stop();
    answer_(modal);
  }

  std::function<void(QWidget*)> answer_;
  QTimer poll_;
  QTimer bound_;
  bool answered_ = false;
};

struct Seen {
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Notes the box and clicks `button`.
std::function<void(QWidget*)> clickMessageBox(Seen* seen, QMessageBox::StandardButton button) {
  return [seen, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return;
    *seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
    if (QAbstractButton* b = box->button(button)) b->click();
  };
}

class QtDialogsTest : public ::testing::Test {
 protected:
  PrinterState printers_;
  QWidget parent_;
  QtDialogs dialogs_{&parent_, printers_};
  Seen seen_;
};

TEST_F(QtDialogsTest, InformationIsANoticeWithOk) {
  ModalAnswer answer(clickMessageBox(&seen_, QMessageBox::Ok));
  dialogs_.information("", "Customer selection required before saving.");
  ASSERT_TRUE(answer.answered());
  EXPECT_EQ(seen_.title, "Vantrell & Inventory");
  EXPECT_EQ(seen_.text, "Customer selection required before saving.");
  EXPECT_EQ(seen_.buttons, QMessageBox::Ok);
  EXPECT_EQ(seen_.icon, QMessageBox::Information);
}

TEST_F(QtDialogsTest, WarningOffersOkAndCancel) {
  {
    ModalAnswer answer(clickMessageBox(&seen_, QMessageBox::Ok));
    EXPECT_TRUE(dialogs_.warning("Erase", "WARNING: You are about to erase all of your data."));
  }
  EXPECT_EQ(seen_.title, "Erase");
  EXPECT_EQ(seen_.buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(seen_.icon, QMessageBox::Warning);
  ModalAnswer answer(clickMessageBox(&seen_, QMessageBox::Cancel));
  EXPECT_FALSE(dialogs_.warning("Erase", "Sure?"));
}

TEST_F(QtDialogsTest, QuestionOffersYesAndNo) {
  {
    ModalAnswer answer(clickMessageBox(&seen_, QMessageBox::No));
    EXPECT_FALSE(dialogs_.question("", "Add another invoice?"));
  }
  EXPECT_EQ(seen_.buttons, QMessageBox::Yes | QMessageBox::No);
  ModalAnswer answer(clickMessageBox(&seen_, QMessageBox::Yes));
  EXPECT_TRUE(dialogs_.question("", "Add another invoice?"));
}

TEST_F(QtDialogsTest, EnterAnswersNoToAQuestionWhoseSafeAnswerIsNo) {
  QAbstractButton* defaultButton = nullptr;
  QAbstractButton* noButton = nullptr;
  ModalAnswer answer([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return;
    defaultButton = box->defaultButton();
    noButton = box->button(QMessageBox::No);
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_FALSE(dialogs_.questionDefaultNo("", "Discard the changes to this invoice?"));
  ASSERT_TRUE(answer.answered());
  EXPECT_EQ(defaultButton, noButton);
}

// File and folder choosers open in the documents folder, never in the
// working (data) directory, then where the last of their purpose was left.
TEST_F(QtDialogsTest, ChoosersStartInTheDocumentsFolderThenWhereTheirPurposeWasLeft) {
  QTemporaryDir reports;
  ASSERT_TRUE(reports.isValid());
  const QString file = reports.path() + "/sales.pdf";
  QString firstShown, againShown, otherShown;
  const auto answer = [](QString* shown, const QString& choose) {
    return [shown, choose](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return;
      *shown = dialog->directory().absolutePath();
      if (choose.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->selectFile(choose);
      static_cast<QDialog*>(dialog)->accept();  // the dialog's own OK
    };
  };
  {
    ModalAnswer first(answer(&firstShown, file));
    EXPECT_EQ(dialogs_.saveFile("Export Report", "PDF files (*.pdf)", ""), file.toStdString());
  }
  {
    ModalAnswer again(answer(&againShown, {}));
    dialogs_.saveFile("Export Report", "PDF files (*.pdf)", "");
  }
  {
    ModalAnswer other(answer(&otherShown, {}));
    dialogs_.saveFile("Save Labels As", "PDF files (*.pdf)", "labels.pdf");
  }
  EXPECT_EQ(firstShown, QDir(DocumentsFolder()).absolutePath());
  EXPECT_NE(firstShown, QDir::currentPath());
  EXPECT_EQ(againShown, QDir(reports.path()).absolutePath());
  EXPECT_EQ(otherShown, QDir(DocumentsFolder()).absolutePath());

  QString folderShown;
  ModalAnswer folder([&](QWidget* modal) {
    auto* chooser = qobject_cast<TDriveDir*>(modal);
    if (!chooser) return;
    folderShown = chooser->currentDir();
    chooser->reject();
  });
  dialogs_.chooseDirectory("Save Each as PDF", "Save");
  EXPECT_EQ(folderShown, QDir(DocumentsFolder()).absolutePath());
}

TEST_F(QtDialogsTest, ABoxShownDuringLongWorkHasTheArrowAndTheHourglassComesBack) {
  std::optional<Qt::CursorShape> during;
  {
    const WaitCursor wait;
    ModalAnswer answer([&](QWidget* modal) {
      if (const QCursor* cursor = QApplication::overrideCursor()) during = cursor->shape();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Ok)->click();
    });
    dialogs_.information("", "Unable to add invoice at this time. Please try again later");
    ASSERT_TRUE(answer.answered());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(during, Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtDialogsTest, InputBoxGivesTheTextOrNothing) {
  QString prompt;
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      if (!input) return;
      prompt = input->labelText();
      EXPECT_EQ(input->textValue(), "1");
      input->setTextValue("1001");
      input->accept();
    });
    EXPECT_EQ(dialogs_.inputBox("FIRST INVOICE", "Start with?", "1"), "1001");
  }
  EXPECT_EQ(prompt, "Start with?");
  ModalAnswer answer([](QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  });
  EXPECT_EQ(dialogs_.inputBox("", "Start with?", "1"), std::nullopt);
}

TEST_F(QtDialogsTest, FontDialogStartsFromTheGivenFont) {
  ModalAnswer answer([](QWidget* modal) {
    auto* dialog = qobject_cast<QFontDialog*>(modal);
    if (!dialog) return;
    EXPECT_EQ(dialog->currentFont().pointSize(), 14);
    EXPECT_TRUE(dialog->currentFont().italic());
    dialog->accept();
  });
  const auto font = dialogs_.chooseFont({"DejaVu Sans", 14, false, true});
  ASSERT_TRUE(font.has_value());
  EXPECT_EQ(font->pointSize, 14);
  EXPECT_TRUE(font->italic);
  EXPECT_FALSE(font->bold);
}

TEST_F(QtDialogsTest, PrinterSetupWithoutAPrinterSetsUpThePdfPage) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
  {
    ModalAnswer answer([](QWidget* modal) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
    });
    EXPECT_TRUE(dialogs_.printerSetup());
  }
  ModalAnswer answer([](QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  });
  EXPECT_FALSE(dialogs_.printerSetup());
}

}  // namespace
}  // namespace vt::ui
