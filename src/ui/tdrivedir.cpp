#include "ui/tdrivedir.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "ui/window_size.h"

namespace vt::ui {

namespace {

constexpr int kWidth = 427;
constexpr int kHeight = 212;
const QString kParent = QStringLiteral("..");

QString driveName(const QStorageInfo& volume) {
  const QString root = volume.rootPath();
  const QString name = volume.displayName();
  return name.isEmpty() || name == root ? root : name + " (" + root + ")";
}

}  // namespace

QList<TDriveDir::Drive> TDriveDir::systemDrives() {
  QList<Drive> drives{{"Home (" + QDir::homePath() + ")", QDir::homePath()}};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // Read-only images of installed software are no place for data.
    if (!volume.isValid() || !volume.isReady() || volume.fileSystemType() == "squashfs") continue;
    drives.append({driveName(volume), volume.rootPath()});
  }
  return drives;
}

TDriveDir::TDriveDir(base::Dialogs& dialogs, QWidget* parent, QList<Drive> drives)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      dialogs_(dialogs),
      drives_(std::move(drives)),
      workingDir_(QDir::currentPath()) {
  build();
  setStartDir(workingDir_);
  resize(kWidth, kHeight);
  HoldDesignSize(*this);
}

void TDriveDir::build() {
  setObjectName("TDriveDir");
  driveCombo = new QComboBox(this);
  driveCombo->setObjectName("driveCombo");
  driveCombo->setAccessibleName("Drive");
  for (const Drive& drive : drives_) driveCombo->addItem(drive.name, drive.path);
  pathLabel = new QLabel(this);
  pathLabel->setObjectName("pathLabel");
  pathLabel->setAccessibleName("Folder");
  folderList = new QListWidget(this);
  folderList->setObjectName("folderList");
  folderList->setAccessibleName("Folders");
  fileList = new QListWidget(this);
  fileList->setObjectName("fileList");
  fileList->setAccessibleName("Files in the folder");
  fileList->setEnabled(false);
  newFolderButton = new QPushButton(tr("New Folder\u2026"), this);
  newFolderButton->setObjectName("newFolderButton");
  newFolderButton->setAccessibleName("New Folder");
  okButton = new QPushButton(tr("OK"), this);
  okButton->setObjectName("okButton");
  cancelButton = new QPushButton(tr("Cancel"), this);
  cancelButton->setObjectName("cancelButton");
  cancelButton->setAccessibleName("Cancel");
  setOkCaption(tr("OK"));
  // Enter in the folder list opens the folder; it must not close the window.
  for (QPushButton* button : {newFolderButton, okButton, cancelButton}) {
    button->setAutoDefault(false);
  }

  auto* lists = new QHBoxLayout;
  lists->addWidget(folderList);
  lists->addWidget(fileList);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(newFolderButton);
  buttons->addStretch(1);
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  auto* column = new QVBoxLayout(this);
  column->addWidget(driveCombo);
  column->addWidget(pathLabel);
  column->addLayout(lists, 1);
  column->addLayout(buttons);

  connect(driveCombo, &QComboBox::currentIndexChanged, this, &TDriveDir::driveChosen);
  connect(folderList, &QListWidget::itemActivated, this, &TDriveDir::folderOpened);
  connect(newFolderButton, &QPushButton::clicked, this, &TDriveDir::newFolderClicked);
  connect(okButton, &QPushButton::clicked, this, [this] {
    ChosenDir = current_;
    accept();
  });
  connect(cancelButton, &QPushButton::clicked, this, [this] {
    ChosenDir.clear();
    reject();
  });
}

void TDriveDir::setOkCaption(const QString& caption) {
  okButton->setText(caption);
  okButton->setAccessibleName(caption);
}

void TDriveDir::setStartDir(const QString& dir) {
  if (!showFolder(dir)) showFolder(drives_.isEmpty() ? QDir::rootPath() : drives_.front().path);
  driveIndex_ = driveHolding(current_);
  const QSignalBlocker quiet(driveCombo);
  driveCombo->setCurrentIndex(driveIndex_);
}

int TDriveDir::driveHolding(const QString& dir) const {
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < drives_.size(); ++i) {
    const QString root = QDir(drives_[i].path).absolutePath();
    const bool holds = dir == root || dir.startsWith(root.endsWith('/') ? root : root + '/');
    if (holds && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  return best;
}

void TDriveDir::driveChosen(int index) {
  if (index < 0 || index >= drives_.size()) return;
  if (showFolder(drives_[index].path)) {
    driveIndex_ = index;
    return;
  }
  dialogs_.information("", "Unable to read from drive " + drives_[index].name.toStdString());
  const QSignalBlocker quiet(driveCombo);
  driveCombo->setCurrentIndex(driveIndex_);
}

void TDriveDir::folderOpened(QListWidgetItem* item) {
  if (!item) return;
  const QString target = QDir::cleanPath(current_ + '/' + item->text());
  if (!showFolder(target)) {
    dialogs_.information("", "Unable to read the folder " + target.toStdString());
  }
}

void TDriveDir::newFolderClicked() {
  const std::optional<std::string> typed = dialogs_.inputBox(
      "New Folder", "Name of the new folder in " + current_.toStdString() + ":", "");
  if (!typed) return;
  const QString name = QString::fromStdString(*typed).trimmed();
  if (name.isEmpty()) return;
  if (name.contains(QLatin1Char('/')) || name == kParent || name == QStringLiteral(".")) {
    dialogs_.information("", "A folder name cannot contain \"/\" or be \".\" or \"..\".");
    return;
  }
  const QString target = QDir(current_).filePath(name);
  if (!QDir(current_).mkdir(name)) {
    dialogs_.information("", "Unable to make the folder " + target.toStdString());
    return;
  }
  showFolder(target);
}

bool TDriveDir::showFolder(const QString& dir) {
  const QDir folder(dir);
  if (!folder.exists() || !folder.isReadable()) return false;
  current_ = folder.absolutePath();
  pathLabel->setText(current_);
  folderList->clear();
  if (!folder.isRoot()) folderList->addItem(kParent);
  folderList->addItems(
      folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
  if (folderList->count() > 0) folderList->setCurrentRow(0);
  fileList->clear();
  fileList->addItems(folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
  return true;
}

void TDriveDir::done(int result) {
  if (result != QDialog::Accepted) ChosenDir.clear();
  // The data files are found through the working directory.
  QDir::setCurrent(workingDir_);
  QDialog::done(result);
}

}  // namespace vt::ui
