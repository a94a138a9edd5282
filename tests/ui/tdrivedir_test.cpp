// The drive and directory chooser driven as a user drives it: a folder
// opened with a double click and chosen with OK, Cancel, an unreadable
// drive; the working directory is the same afterwards.
#include "ui/tdrivedir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "base/dialogs.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

class DriveDir : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(root.path()).mkpath("Backups/Monday"));
    QFile file(root.path() + "/Backups/notes.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    chooser.setStartDir(root.path());
    ASSERT_TRUE(testing::showActive(&chooser));
  }

  void open(const QString& folder) {
    const QList<QListWidgetItem*> items = chooser.folderList->findItems(folder, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << folder.toStdString();
    chooser.folderList->setFocus();
    chooser.folderList->setCurrentItem(items[0]);
    QTest::keyClick(chooser.folderList, Qt::Key_Return);
  }

  QTemporaryDir root;
  const QString workingDir = QDir::currentPath();
  base::ScriptedDialogs dialogs;
  TDriveDir chooser{dialogs, nullptr, {{"Scratch", root.path()}, {"Gone", root.path() + "/gone"}}};
};

TEST_F(DriveDir, OkChoosesTheOpenedFolder) {
  open("Backups");
  EXPECT_TRUE(chooser.fileList->findItems("notes.txt", Qt::MatchExactly).size() == 1);
  EXPECT_FALSE(chooser.fileList->isEnabled());
  open("Monday");
  open("..");
  QTest::mouseClick(chooser.okButton, Qt::LeftButton);
  EXPECT_EQ(chooser.ChosenDir, root.path() + "/Backups");
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_EQ(QDir::currentPath(), workingDir);
}

TEST_F(DriveDir, CancelChoosesNothing) {
  open("Backups");
  QTest::mouseClick(chooser.cancelButton, Qt::LeftButton);
  EXPECT_TRUE(chooser.ChosenDir.isEmpty());
  EXPECT_EQ(QDir::currentPath(), workingDir);
}

TEST_F(DriveDir, AnUnreadableDriveIsToldAndTheChoiceGoesBack) {
  open("Backups");
  chooser.driveCombo->setCurrentIndex(1);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "Unable to read from drive Gone");
  EXPECT_EQ(chooser.driveCombo->currentIndex(), 0);
  EXPECT_EQ(chooser.pathLabel->text(), root.path() + "/Backups");
}

// New Folder makes the folder the user names in the one shown and opens it;
// a name that is no folder name is refused.
TEST_F(DriveDir, NewFolderMakesTheNamedFolderAndOpensIt) {
  open("Backups");
  dialogs.queueText("  Statements  ");
  QTest::mouseClick(chooser.newFolderButton, Qt::LeftButton);
  EXPECT_TRUE(QDir(root.path() + "/Backups/Statements").exists());
  EXPECT_EQ(chooser.currentDir(), root.path() + "/Backups/Statements");
  dialogs.queueText("../elsewhere");
  QTest::mouseClick(chooser.newFolderButton, Qt::LeftButton);
  EXPECT_FALSE(QDir(root.path() + "/Backups/elsewhere").exists());
  ASSERT_EQ(dialogs.shown().size(), 3u);
  EXPECT_EQ(dialogs.shown()[2].kind, base::DialogKind::Information);
  QTest::mouseClick(chooser.okButton, Qt::LeftButton);
  EXPECT_EQ(chooser.ChosenDir, root.path() + "/Backups/Statements");
}

}  // namespace
}  // namespace vt::ui
