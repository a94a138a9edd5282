// TMultGroup, the window "Select One or More Groups": lists the customer
// groups of GROUPS in their number order and leaves the numbers of those
// chosen in SelectedGroups; empty when the choice was cancelled.
#pragma once

#include <QDialog>

#include "data/data_session.h"
#include "reports/report_choices.h"
#include "ui/context.h"

class QListWidget;
class QPushButton;

namespace vt::reports {

class TMultGroup : public QDialog {
  Q_OBJECT

 public:
  TMultGroup(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui,
             ReportChoices& choices);

  // Shows the groups modally, over GROUPS as the caller has it open (in its
  // current order), or opened for the window alone and closed after. True
  // when at least one group was chosen.
  bool Run();

  QListWidget* groupList = nullptr;
  QPushButton* runButton = nullptr;
  QPushButton* allButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  // Lists every group not marked deleted; a single group comes selected.
  void FormShow();
  void runClicked();
  void allClicked();
  void cancelClicked();

 private:
  void build();
  void layOut();
  // Adds the groups from the top of the table; false (told) when a record
  // cannot be read.
  bool fill(vt::engine::Table& groups);

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  ReportChoices& choices_;
};

}  // namespace vt::reports
