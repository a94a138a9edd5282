// The four older tables converted field by field, and the step that carries
// each into its new table.
#pragma once

#include <string>
#include <vector>

#include "data/data_session.h"
#include "data/older_table.h"

namespace vt::data {

struct ConvertStep {
  const char* older;                // base name of the older table
  std::vector<const char*> fields;  // the older fields it reads
  TableId target;
  bool (DataSession::*open)();
  void (*fill)(const OlderTable& from, DataSession& session);  // the buffer
  int (DataSession::*store)();
  int progressFrom, progressSpan;  // progress from + span × done / count
};

// Products, customers, invoices, items: the order they are converted in.
const std::vector<ConvertStep>& ConvertSteps();

}  // namespace vt::data
