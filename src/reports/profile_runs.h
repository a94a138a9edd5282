// The customer profile as the main window starts it: the customers picked
// one after another until the picker is cancelled, or every customer of the
// groups chosen; one document for all of them.
#pragma once

#include "data/selection_cycle.h"
#include "reports/report_runner.h"

namespace vt::reports {

class TMultGroup;

class ProfileRuns : public ReportRunner {
 public:
  ProfileRuns(RunnerParts parts, TMultGroup& groups, data::RecordPicker& customerPicker,
              data::RecordEditor& customerEditor);

  // By the groups chosen (true) or by customers picked (false).
  void CustomerProfile(bool byGroups);

 private:
  int pickCustomers(class CustomerProfile& profile);

  TMultGroup& groups_;
  data::RecordPicker& customerPicker_;
  data::RecordEditor& customerEditor_;
};

}  // namespace vt::reports
