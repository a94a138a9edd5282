// Taking over the data of the older program: customers, invoices, items and
// products converted field by field from its tables, customer groups, label
// stocks and payments copied, item descriptions filled in from the products.
// Purchases and the settings are not touched, and nothing is written to the
// older program's directory.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "base/progress.h"
#include "data/data_session.h"

namespace vt::data {

// Replaces the data in the session's directory by the older tables in `dir`
// after the user's confirmation, with the progress box. The new tables are
// built in a scratch folder beside the data (import-work) and swapped in as
// one unit while the tables are held, with their indexes. True when the data
// was replaced; false when nothing was (files missing, the working directory
// itself, cancelled, tables in use, or a failure on the way), after telling
// why. Leaves the progress box shown.
bool ImportOlderData(DataSession& session, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress);

// What follows a completed import: every table is packed. The packing's
// status (0 or negative).
int FinishImport(DataSession& session);

}  // namespace vt::data
