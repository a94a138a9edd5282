#include "reports/profile_runs.h"

#include "reports/customer_profile.h"
#include "reports/tmultgroup.h"
#include "ui/record_access.h"

namespace vt::reports {

ProfileRuns::ProfileRuns(RunnerParts parts, TMultGroup& groups, data::RecordPicker& customerPicker,
                         data::RecordEditor& customerEditor)
    : ReportRunner(parts),
      groups_(groups),
      customerPicker_(customerPicker),
      customerEditor_(customerEditor) {}

void ProfileRuns::CustomerProfile(bool byGroups) {
  buildAndShow([this, byGroups](ReportContext& c) {
    reports::CustomerProfile profile(c);
    if (const int status = profile.Start(); status < 0) return status;
    int status = 0;
    if (!byGroups) {
      status = pickCustomers(profile);
    } else if (groups_.Run()) {
      status = profile.AddGroups(parts_.choices.SelectedGroups);
    }
    profile.Finish();
    return status;
  });
}

int ProfileRuns::pickCustomers(class CustomerProfile& profile) {
  engine::Table* customers = session_.customers();
  session_.StartAtTop(data::RecordKind::Customer);
  for (;;) {
    const data::PickOutcome outcome =
        session_.PickCustomer(false, customerPicker_, customerEditor_);
    if (!outcome.chosen) return outcome.status;
    const long chosen = session_.CurCustomer;
    if (const int status = ui::GoToRecord(session_, customers, chosen); status < 0) return status;
    if (const int status = profile.AddBlock(); status < 0) return status;
    customers->selectTag(customers->tag("cname"));
    session_.CurCustomer = chosen;
  }
}

}  // namespace vt::reports
