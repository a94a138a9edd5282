// TDateSpan: asks for the span of dates a report covers, or in its
// single-date use for one date, titled by what the dates are for ("Sales
// Summary", "Print Invoices"). It shows SpanStart and SpanEnd of the choices
// and leaves the dates typed there, with SpanCancelled cleared only by a
// valid OK.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "reports/report_choices.h"
#include "ui/context.h"
#include "ui/date_edit.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace vt::reports {

class TDateSpan : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kStartCaption = "Print Beginning:";
  static constexpr const char* kEndCaption = "Ending:";
  static constexpr const char* kEndBeforeStart =
      "Ending Date must be greater than or equal to Starting Date.";

  // Whether the span typed has anything to work on; false, after telling the
  // user why, keeps the window open for other dates.
  using SpanCheck = std::function<bool(const base::DateTime& start, const base::DateTime& end)>;

  TDateSpan(QWidget* parent, vt::ui::UiContext& ui, ReportChoices& choices);

  // Shows the span modally, titled `title`; true when it was accepted with
  // OK. With a `check`, OK accepts only a span it passes.
  bool Run(const QString& title, SpanCheck check = {});
  // Asks for the one date SpanStart (which the caller sets) under
  // `caption`, the end field hidden; the window is a span window again
  // afterwards. True when accepted with OK.
  bool RunSingleDate(const QString& title, const QString& caption);
  // The same with the check box `option` under the date, ticked as
  // `checked` says; `checked` takes its state when OK accepts.
  bool RunSingleDate(const QString& title, const QString& caption, const QString& option,
                     bool& checked);

  QLabel* startLabel = nullptr;
  vt::ui::DateEdit* startDateEdit = nullptr;
  QLabel* endLabel = nullptr;
  vt::ui::DateEdit* endDateEdit = nullptr;
  // Shown only by the single date with an option.
  QCheckBox* optionCheckBox = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void FormShow();
  void okClicked();
  void cancelClicked();

 private:
  void build();
  void layOut();
  // Shows or hides the end field and its label, and captions the start.
  void showEnd(bool shown, const QString& startCaption);
  // Every shown field holds a date; the first that does not is told and
  // takes the focus back.
  bool fieldsHoldDates();

  vt::ui::UiContext& ui_;
  ReportChoices& choices_;
  SpanCheck check_;
  // The field last left was refused (and the user told).
  bool exitRefused_ = false;
};

}  // namespace vt::reports
