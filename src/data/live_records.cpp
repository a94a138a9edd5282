#include "data/live_records.h"

namespace vt::data {

engine::Result PastDeleted(engine::Table& table, engine::Result at) {
  // A seek that lands after its key still stands on a record.
  while ((at == engine::Result::Success || at == engine::Result::After) && table.deleted()) {
    at = table.skip(1);
  }
  return at;
}

}  // namespace vt::data
