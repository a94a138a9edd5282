// The main window's "Generate a Mail Merge File": the groups chosen in
// TMultGroup, a file name from the save dialog, then the mail-merge file
// written (mail_merge.h).
#pragma once

#include "base/progress.h"
#include "data/data_session.h"
#include "reports/report_choices.h"
#include "ui/context.h"

namespace vt::reports {
class TMultGroup;
}

namespace vt::labels {

constexpr const char* kMailMergeFilter = "Delimited files (*.doc)";
constexpr const char* kMailMergeExtension = "doc";

// Opens CUST5 and GROUPS and closes every table at the end. Nothing is
// written when no group is chosen or the dialog is cancelled; a file that
// cannot be written is told to the user.
void RunMailMerge(vt::data::DataSession& session, vt::ui::UiContext& ui,
                  vt::reports::TMultGroup& groups, const vt::reports::ReportChoices& choices,
                  vt::base::Progress* progress);

}  // namespace vt::labels
