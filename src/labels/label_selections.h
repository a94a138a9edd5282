// The customers a label run covers, walked in the run's order, each added
// as a label: the customer of every invoice dated within a span, of every
// such invoice with something due, every customer with something due on an
// invoice of the span, and every customer of chosen groups. Each opens the
// tables it walks (leaving them open), reports how far it has gone to the
// progress box when there is one, and returns 0 or a negative engine status.
#pragma once

#include <vector>

#include "base/convert.h"
#include "base/progress.h"
#include "data/data_session.h"
#include "labels/label_placement.h"

namespace vt::labels {

struct LabelSelection {
  data::DataSession& session;
  LabelRun& run;
  base::Progress* progress = nullptr;
};

// The current customer record's address as the run's next label.
int AddCustomerLabel(LabelSelection& s);

// One label per invoice dated from `from` to `to`, in date order.
int InvoicesDatedLabels(LabelSelection& s, const base::DateTime& from, const base::DateTime& to);
// One label per invoice of the span whose amount due is not 0.
int PastDueLabels(LabelSelection& s, const base::DateTime& from, const base::DateTime& to);
// One label per customer, in postal code order, with an invoice of the span
// whose amount due is not 0.
int BalanceDueLabels(LabelSelection& s, const base::DateTime& from, const base::DateTime& to);
// One label per customer, in postal code order, whose group is in `groups`.
int GroupLabels(LabelSelection& s, const std::vector<int>& groups);

}  // namespace vt::labels
