#include "reports/tdatespan.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "ui/amount_field_exit.h"
#include "ui/field_behaviour.h"
#include "ui/window_size.h"

namespace vt::reports {

namespace {

QDate toQDate(const base::DateTime& value) {
  return QDate(value.year, value.month, value.day);
}

base::DateTime fromQDate(const QDate& date) {
  return base::MakeDate(date.year(), date.month(), date.day());
}

QLabel* makeCaption(QWidget* parent, const char* name, QWidget* field) {
  auto* caption = new QLabel(field->accessibleName(), parent);
  caption->setObjectName(name);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  caption->setBuddy(field);
  return caption;
}

}  // namespace

TDateSpan::TDateSpan(QWidget* parent, vt::ui::UiContext& ui, ReportChoices& choices)
    : QDialog(parent), ui_(ui), choices_(choices) {
  setObjectName("TDateSpan");
  build();
  layOut();
  resize(265, 110);
  vt::ui::HoldDesignSize(*this);
  vt::ui::enableEnterMovesFocus(this);
  connect(okButton, &QPushButton::clicked, this, &TDateSpan::okClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TDateSpan::cancelClicked);
}

void TDateSpan::build() {
  const std::pair<const char*, const char*> fields[] = {{"startDateEdit", kStartCaption},
                                                        {"endDateEdit", kEndCaption}};
  vt::ui::DateEdit* edits[2] = {};
  for (size_t i = 0; i < std::size(fields); ++i) {
    edits[i] = new vt::ui::DateEdit(this);
    edits[i]->setObjectName(fields[i].first);
    edits[i]->setAccessibleName(tr(fields[i].second));
    edits[i]->setDialogs(&ui_.dialogs);
    // Each field checks itself when it is left.
    vt::ui::WatchFieldExit(edits[i],
                           [this, edit = edits[i]] { exitRefused_ = !edit->date().isValid(); });
  }
  startDateEdit = edits[0];
  endDateEdit = edits[1];
  startLabel = makeCaption(this, "startLabel", startDateEdit);
  endLabel = makeCaption(this, "endLabel", endDateEdit);
  okButton = vt::ui::makeButton(this, "okButton", tr("OK"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  optionCheckBox = new QCheckBox(this);
  optionCheckBox->setObjectName("optionCheckBox");
  optionCheckBox->hide();
  QWidget* const order[] = {startDateEdit, endDateEdit, optionCheckBox, okButton, cancelButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// Each field with its caption on its left; the buttons below.
void TDateSpan::layOut() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(startLabel, 0, 0);
  grid->addWidget(startDateEdit, 0, 1);
  grid->addWidget(endLabel, 1, 0);
  grid->addWidget(endDateEdit, 1, 1);
  grid->addWidget(optionCheckBox, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
}

bool TDateSpan::Run(const QString& title, SpanCheck check) {
  setWindowTitle(title);
  check_ = std::move(check);
  FormShow();
  exec();
  check_ = {};
  return !choices_.SpanCancelled;
}

bool TDateSpan::RunSingleDate(const QString& title, const QString& caption) {
  showEnd(false, caption);
  const bool accepted = Run(title);
  showEnd(true, tr(kStartCaption));
  return accepted;
}

bool TDateSpan::RunSingleDate(const QString& title, const QString& caption, const QString& option,
                              bool& checked) {
  optionCheckBox->setText(option);
  optionCheckBox->setAccessibleName(option);
  optionCheckBox->setChecked(checked);
  optionCheckBox->show();
  const bool accepted = RunSingleDate(title, caption);
  optionCheckBox->hide();
  if (accepted) checked = optionCheckBox->isChecked();
  return accepted;
}

void TDateSpan::showEnd(bool shown, const QString& startCaption) {
  endLabel->setVisible(shown);
  endDateEdit->setVisible(shown);
  startLabel->setText(startCaption);
  startDateEdit->setAccessibleName(startCaption);
}

// Until OK accepts the dates, the window counts as cancelled, however it is
// closed.
void TDateSpan::FormShow() {
  startDateEdit->setDate(toQDate(choices_.SpanStart));
  endDateEdit->setDate(toQDate(choices_.SpanEnd));
  choices_.SpanCancelled = true;
  exitRefused_ = false;
  startDateEdit->setFocus();
}

// The dates typed are kept even when the end comes before the start; the
// window then stays open for them to be corrected. A field refused as the
// click on OK left it has been told already.
void TDateSpan::okClicked() {
  if (std::exchange(exitRefused_, false) || !fieldsHoldDates()) return;
  const bool span = !endDateEdit->isHidden();
  choices_.SpanStart = fromQDate(startDateEdit->date());
  if (span) choices_.SpanEnd = fromQDate(endDateEdit->date());
  if (span && choices_.SpanStart > choices_.SpanEnd) {
    ui_.dialogs.information("", kEndBeforeStart);
    return;
  }
  if (check_ && !check_(choices_.SpanStart, choices_.SpanEnd)) {
    startDateEdit->setFocus();
    return;
  }
  choices_.SpanCancelled = false;
  accept();
}

bool TDateSpan::fieldsHoldDates() {
  for (vt::ui::DateEdit* field : {startDateEdit, endDateEdit}) {
    if (field->isHidden() || field->check()) continue;
    vt::ui::RefocusField(field);
    return false;
  }
  return true;
}

void TDateSpan::cancelClicked() {
  reject();
}

}  // namespace vt::reports
