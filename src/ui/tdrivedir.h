// The drive and directory chooser of backup, restore and the import of
// older data. The "drives" are the home directory and the mounted volumes;
// the folder list browses the chosen one (".." goes up, a double click or
// Enter opens a folder) and the disabled file list shows what the folder
// holds. New Folder makes a folder in the one shown, named as the user
// types, and opens it. Browsing never changes the process's working directory, and the
// working directory noted on opening is set again on closing.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "base/dialogs.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vt::ui {

class TDriveDir : public QDialog {
  Q_OBJECT

 public:
  struct Drive {
    QString name;  // as the drive list shows it
    QString path;  // its top folder
  };
  // The home directory, then every mounted volume that is ready.
  static QList<Drive> systemDrives();

  // Messages go through `dialogs`. The folder shown first is the working
  // directory, on the drive that holds it.
  explicit TDriveDir(base::Dialogs& dialogs, QWidget* parent = nullptr,
                     QList<Drive> drives = systemDrives());

  // The accepting button's caption ("Backup", "Restore").
  void setOkCaption(const QString& caption);
  // Shows `dir` (and its drive) instead of the working directory.
  void setStartDir(const QString& dir);
  // The folder the folder list shows.
  const QString& currentDir() const { return current_; }

  // The folder chosen with the OK button; empty after Cancel.
  QString ChosenDir;

  QComboBox* driveCombo;
  QLabel* pathLabel;
  QListWidget* folderList;
  QListWidget* fileList;
  QPushButton* newFolderButton;
  QPushButton* okButton;
  QPushButton* cancelButton;

 public slots:
  void done(int result) override;

 private:
  void build();
  void driveChosen(int index);
  void folderOpened(QListWidgetItem* item);
  void newFolderClicked();
  // Lists `dir`; false (and nothing changed) when it cannot be read.
  bool showFolder(const QString& dir);
  int driveHolding(const QString& dir) const;

  base::Dialogs& dialogs_;
  QList<Drive> drives_;
  QString workingDir_;
  QString current_;
  int driveIndex_ = -1;
};

}  // namespace vt::ui
