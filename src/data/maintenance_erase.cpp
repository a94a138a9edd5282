// Erasing all data: every table but the label stocks and the settings
// emptied in a fixed order, the memo files compressed.
#include "data/datafiles.h"
#include "data/maintenance.h"
#include "data/progress_box.h"
#include "data/table_defs.h"

namespace vt::data {

namespace {

struct EraseStep {
  const char* table;
  bool compressMemo;
  int progressAfterZap;  // -1: the bar is not moved
  int progressAfterClose;
};

constexpr EraseStep kEraseOrder[] = {
    {"CUST5", true, 15, 30},  {"GROUPS", false, -1, 40}, {"INV5", true, 50, 60},
    {"ITM5", false, -1, 70},  {"PMT", false, -1, 85},    {"Prod5", true, 90, 95},
    {"Pur5", false, -1, 100},
};

std::vector<std::string> erasedTables() {
  std::vector<std::string> tables;
  for (const EraseStep& step : kEraseOrder) tables.push_back(step.table);
  return tables;
}

// Empties every held table in order; 0 or the first failure, with
// `*failedTable` naming its table.
int eraseHeld(DataFilesHold& hold, ProgressBox& box, std::string* failedTable) {
  for (size_t i = 0; i < std::size(kEraseOrder); ++i) {
    const EraseStep& step = kEraseOrder[i];
    engine::Table* table = hold.table(i);
    int status = table->zap();
    box.set(step.progressAfterZap);
    if (status == 0 && step.compressMemo) status = table->memoCompress();
    hold.close(i);
    box.set(step.progressAfterClose);
    if (status < 0) {
      *failedTable = step.table;
      return status;
    }
  }
  return 0;
}

}  // namespace

bool EraseAll(engine::Engine& engine, base::Dialogs& dialogs, base::Progress* progress,
              base::ProgramExit& exit) {
  if (!dialogs.warning("", "WARNING: You are about to erase all of your existing data.")) {
    return false;
  }
  DataFilesHold hold(engine, erasedTables(), true);
  if (!hold.busy().empty()) {
    TellInUse(dialogs, hold.busy());
    return false;
  }
  if (!hold.failed().empty()) {
    hold.release();
    OpenFailed(findTableDef(hold.failed())->upperDbfName(), dialogs, exit);
    return false;
  }
  std::string failedTable;
  int status = 0;
  {
    ProgressBox box(progress, "Erasing Data Files");
    box.set(5);
    status = eraseHeld(hold, box, &failedTable);
  }
  if (status == 0) return true;
  dialogs.information("", "Unable to erase " + findTableDef(failedTable)->upperDbfName() + ": " +
                              engine.errorText(status));
  return false;
}

}  // namespace vt::data
