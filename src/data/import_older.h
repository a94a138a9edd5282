// Taking over the data of the older program: customers, invoices, items and
// products converted field by field from its tables, customer groups, label
// stocks and payments copied, item descriptions filled in from the products.
// Purchases and the settings are not touched, and nothing is written to the
// older program's directory.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "base/progress.h"
#include "data/data_session.h"

namespace vt::data {

// Replaces the data in the session's directory by the older tables in `dir`
// after the user's confirmation, with the progress box. True when nothing
// was changed (files missing, cancelled, tables in use) or the import was
// completed; false when it stopped part way, after telling why, with the
// tables partly replaced. Leaves the progress box shown.
bool ImportOlderData(DataSession& session, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress);

// What follows every import: after one that stopped part way (`completed`
// false) the indexes are rebuilt; then every table is packed. The packing's
// status (0 or negative).
int FinishImport(DataSession& session, bool completed, base::Dialogs& dialogs,
                 base::ProgramExit& exit, base::Progress* progress);

}  // namespace vt::data
