// Table: the current record as one image of its bytes, for keeping a copy
// of a record before a change and putting it back afterwards.
#include <cstring>

#include "table_impl.h"

namespace vt::engine {

std::string Table::recordImage() {
  Impl& t = *impl_;
  if (t.eof) {
    t.fail(kErrRecord);
    return {};
  }
  if (t.load() < 0) return {};
  return std::string(t.rec.begin(), t.rec.end());
}

int Table::assignImage(std::string_view image) {
  Impl& t = *impl_;
  if (t.eof) return t.fail(kErrRecord);
  if (image.size() != t.rec.size()) return t.fail(kErrArgument);
  if (!t.dbf->writable()) return t.fail(kErrReadOnly);
  if (const int status = t.load(); status < 0) return status;
  std::memcpy(t.rec.data(), image.data(), image.size());
  t.changed = true;
  return kOk;
}

}  // namespace vt::engine
