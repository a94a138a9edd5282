// The Preferences page's "Label Forms" button (the label stock cycle, stocks
// in name order, New allowed) and the Reports page's mail-merge file.
#include "labels/mail_merge_run.h"
#include "labels/tlabeldef.h"
#include "labels/tpicklab.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/tmain.h"

namespace vt::shell {

void TMain::labelFormsClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  if (!session->OpenLabels()) return;
  engine::Table* labels = session->labels();
  labels->selectTag(labels->tag("Labels"));
  session->StartAtTop(data::RecordKind::Label);
  session->AddAndEdit(data::RecordKind::Label, *catalog_->PickLab, *catalog_->LabelDef);
  session->CloseAll();
}

void TMain::mailMergeClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  labels::RunMailMerge(*session, state_.ui, *catalog_->MultGroup, catalog_->Choices, &progress_);
}

}  // namespace vt::shell
