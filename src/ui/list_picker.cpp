#include "ui/list_picker.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "base/text1252.h"
#include "ui/field_behaviour.h"
#include "ui/list_failure.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"

namespace vt::ui {

namespace {

// A name or typed text as the order's keys compare it: Windows-1252 bytes
// upper-cased by the keys' rule.
std::string searchKey(const std::string& utf8) {
  return vt::base::upper1252(vt::base::fromUtf8(utf8));
}

}  // namespace

ListPicker::ListPicker(QWidget* parent, UiContext& ui, Options options)
    : QDialog(parent), ui_(ui), options_(std::move(options)) {
  build();
}

ListPicker::~ListPicker() = default;

void ListPicker::build() {
  setWindowTitle(options_.caption);
  auto* layout = new QVBoxLayout(this);
  if (options_.seekBox) {
    auto* seekRow = new QHBoxLayout;
    seekLabel = new QLabel(QStringLiteral("Seek:"), this);
    seekLabel->setObjectName(QStringLiteral("seekLabel"));
    seekEdit = new QLineEdit(this);
    seekEdit->setObjectName(QStringLiteral("seekEdit"));
    seekEdit->setMaxLength(options_.seekLength);
    seekEdit->setAccessibleName(QStringLiteral("Seek"));
    seekLabel->setBuddy(seekEdit);
    seekRow->addWidget(seekLabel);
    seekRow->addWidget(seekEdit, 1);
    layout->addLayout(seekRow);
    connect(seekEdit, &QLineEdit::textChanged, this, &ListPicker::seekChanged);
  }
  namesList = new QListWidget(this);
  namesList->setObjectName(QStringLiteral("namesList"));
  namesList->setAccessibleName(options_.listName);
  namesList->setSelectionMode(QAbstractItemView::SingleSelection);
  // Names are blank-padded to the field width: a fixed pitch keeps the
  // deleted mark in one column.
  namesList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  namesList->installEventFilter(this);
  layout->addWidget(namesList, 1);
  connect(namesList, &QListWidget::itemDoubleClicked, this, &ListPicker::namesListDoubleClicked);

  auto* buttons = new QHBoxLayout;
  selectButton = makeButton(this, "selectButton", tr("Select"));
  newButton = makeButton(this, "newButton", tr("New"));
  cancelButton = makeButton(this, "cancelButton", tr("Cancel"));
  buttons->addWidget(selectButton);
  buttons->addWidget(newButton);
  buttons->addWidget(cancelButton);
  layout->addLayout(buttons);
  connect(selectButton, &QPushButton::clicked, this, &ListPicker::selectClicked);
  connect(newButton, &QPushButton::clicked, this, &ListPicker::newClicked);
  connect(cancelButton, &QPushButton::clicked, this, &ListPicker::cancelClicked);
  enableEnterPressesButtons(this);
  resize(360, 320);
  HoldDesignSize(*this);
}

void ListPicker::pick(bool allowNew, long& current) {
  current_ = current;
  newButton->setEnabled(allowNew);
  exec();
  current = current_;
}

void ListPicker::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the window system is not opened again.
  if (!event->spontaneous()) FormShow();
}

void ListPicker::FormShow() {
  searchList_.clear();
  namesList->clear();
  if (seekEdit) seekEdit->clear();
  if (vt::engine::Table* table = listedTable()) {
    WaitCursor wait;
    orderedTable_ = table;
    savedTag_ = table->selectedTag();
    const int noted = selectOrder(*table) ? fill(*table) : -1;
    if (namesList->count() > 0) selectRow(noted < 0 ? 0 : noted);
  }
  if (seekEdit) {
    seekEdit->setFocus();
  } else {
    namesList->setFocus();
  }
}

bool ListPicker::selectOrder(vt::engine::Table& table) {
  const char* order = listOrder();
  if (!order) return true;
  vt::engine::Tag* tag = table.tag(order);
  if (!tag) {
    reportFailure(vt::engine::kErrTag);
    return false;
  }
  table.selectTag(tag);
  return true;
}

int ListPicker::fill(vt::engine::Table& table) {
  vt::engine::Engine& engine = table.engine();
  engine.errorCode();
  int noted = -1;
  std::string name;
  for (vt::engine::Result r = table.top(); r == vt::engine::Result::Success; r = table.skip()) {
    const int status = loadName(&name);
    if (status < 0) {
      reportFailure(status);
      break;
    }
    searchList_.push_back(searchKey(name));
    QString text = QString::fromStdString(name);
    QString spoken = WithoutTrailingBlanks(text);
    if (table.deleted()) {
      text += QString::fromLatin1(kDeletedMark);
      spoken += QLatin1Char(' ') + QString::fromLatin1(kDeletedMark);
    }
    if (static_cast<long>(table.recNo()) == current_) noted = namesList->count();
    auto* item = new QListWidgetItem(text, namesList);
    item->setData(Qt::AccessibleTextRole, spoken);
  }
  if (const int status = engine.errorCode(); status < 0) reportFailure(status);
  return noted;
}

void ListPicker::selectRow(int row) {
  if (row >= 0 && row < namesList->count()) {
    namesList->setCurrentRow(row);
    namesList->item(row)->setSelected(true);
    return;
  }
  // An index past the end leaves no item selected.
  namesList->clearSelection();
  namesList->setCurrentRow(-1);
}

int ListPicker::selectedIndex() const {
  const QList<QListWidgetItem*> items = namesList->selectedItems();
  return items.isEmpty() ? -1 : namesList->row(items.first());
}

void ListPicker::selectClicked() {
  const int index = selectedIndex();
  if (index < 0) {
    ui_.dialogs.information("", kNotSelected);
    return;
  }
  if (pickIndex(index)) accept();
}

bool ListPicker::pickIndex(int index) {
  vt::engine::Table* table = listedTable();
  if (!table) {
    reportFailure(vt::engine::kErrOpen);
    return false;
  }
  table->engine().errorCode();
  vt::engine::Result r = table->top();
  if (r == vt::engine::Result::Success && index > 0) r = table->skip(index);
  if (r != vt::engine::Result::Success) {
    const int status = table->engine().errorCode();
    reportFailure(status < 0 ? status : vt::engine::kErrRecord);
    return false;
  }
  current_ = static_cast<long>(table->recNo());
  return true;
}

void ListPicker::newClicked() {
  current_ = 0;
  accept();
}

void ListPicker::cancelClicked() {
  reject();
}

void ListPicker::reject() {
  current_ = -1;
  QDialog::reject();
}

void ListPicker::namesListDoubleClicked() {
  selectClicked();
}

void ListPicker::seekChanged() {
  if (!seekEdit || searchList_.size() < 2) return;
  const std::string text = searchKey(seekEdit->text().trimmed().toStdString());
  int row = 0;
  while (row < static_cast<int>(searchList_.size()) &&
         searchList_[row].compare(0, text.size(), text) < 0) {
    ++row;
  }
  selectRow(row);
}

void ListPicker::done(int result) {
  if (orderedTable_) {
    orderedTable_->selectTag(savedTag_);
    orderedTable_ = nullptr;
    savedTag_ = nullptr;
  }
  searchList_.clear();
  QDialog::done(result);
}

bool ListPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == namesList && options_.enterSelects && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      selectClicked();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ListPicker::reportFailure(int status) {
  vt::engine::Table* table = listedTable();
  ReportListFailure(ui_.dialogs, table ? &table->engine() : nullptr, status);
}

}  // namespace vt::ui
