// Table: opening state, positioning and reading.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "table_impl.h"

namespace vt::engine {

Table::Table(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Table::~Table() = default;

const std::string& Table::name() const {
  return impl_->name;
}
Engine& Table::engine() {
  return *impl_->engine;
}

int Table::Impl::fail(int status) {
  engine->setError(status);
  return status;
}

int Table::Impl::failIn(const TagState& t, int status) {
  engine->setError(status, t.path.substr(t.path.find_last_of('/') + 1));
  return status;
}

TagState* Table::Impl::selectedState() {
  return selected >= 0 ? &tagStates[selected] : nullptr;
}

void Table::Impl::setEof() {
  recno = dbf->recCount() + 1;
  eof = true;
  bof = dbf->recCount() == 0;
  std::fill(rec.begin(), rec.end(), ' ');
  stored = rec;
  loaded = true;
  changed = false;
  pendingAppend = false;
}

int Table::Impl::load() {
  if (loaded || eof) return kOk;
  int status = dbf->read(recno, rec.data());
  if (status < 0) {
    // The fields read blank rather than as the record read before.
    std::fill(rec.begin(), rec.end(), ' ');
    return fail(status);
  }
  std::memcpy(stored.data(), rec.data(), rec.size());
  loaded = true;
  return kOk;
}

Result Table::Impl::goTo(uint32_t n) {
  recno = n;
  eof = false;
  bof = false;
  loaded = false;
  changed = false;
  pendingAppend = false;
  return Result::Success;
}

// Takes the record under the selected index's cursor. A read that failed
// in the index, or an entry for a record the table does not have (an index
// left from before a pack, say), is damage: end of file, with the error set.
Result Table::Impl::fromCursor(bool onEntry, Result onSuccess) {
  TagState& t = *selectedState();
  int status = t.ntx->status();
  uint32_t n = t.ntx->recno();
  if (onEntry && (n < 1 || n > dbf->recCount())) status = kErrIndex;
  if (status < 0) failIn(t, status);
  if (!onEntry || status < 0) {
    setEof();
    return Result::Eof;
  }
  goTo(n);
  return onSuccess;
}

void Table::Impl::evaluateKey(TagState& t, const std::vector<char>& record) {
  t.keyBuf.resize(t.expr->length());
  t.expr->evaluate(record.data(), t.keyBuf.data());
}

int Table::Impl::syncCursor() {
  TagState* t = selectedState();
  if (t->ntx->valid() && t->ntx->recno() == recno) return kOk;
  int status = load();
  if (status < 0) return status;
  evaluateKey(*t, stored);
  if (t->ntx->locate(t->keyBuf, recno)) return kOk;
  // Another user changed this record's key: carry on from where its key
  // used to sort.
  if (t->ntx->status() == kOk) t->ntx->seek(t->keyBuf);
  return t->ntx->status() < 0 ? failIn(*t, t->ntx->status()) : kOk;
}

uint32_t Table::recCount() {
  OpScope op(*impl_, false);
  if (op.status() < 0) return 0;
  return impl_->dbf->recCount() + (impl_->pendingAppend ? 1 : 0);
}

uint8_t Table::languageDriver() const {
  return impl_->dbf->languageDriver();
}

uint32_t Table::recNo() const {
  return impl_->recno;
}
bool Table::eof() const {
  return impl_->eof;
}
bool Table::bof() const {
  return impl_->bof;
}

Result Table::go(uint32_t recno) {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return Result::Eof;
  OpScope op(t, false);
  if (op.status() < 0) return Result::Eof;
  if (recno < 1 || recno > t.dbf->recCount()) {
    t.fail(kErrRecord);
    t.setEof();
    return Result::Eof;
  }
  t.goTo(recno);
  if (t.load() < 0) {
    t.setEof();
    return Result::Eof;
  }
  return Result::Success;
}

Result Table::top() {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return Result::Eof;
  OpScope op(t, false);
  if (op.status() < 0) return Result::Eof;
  if (TagState* s = t.selectedState()) return t.fromCursor(s->ntx->first(), Result::Success);
  if (t.dbf->recCount() == 0) {
    t.setEof();
    return Result::Eof;
  }
  return t.goTo(1);
}

Result Table::bottom() {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return Result::Eof;
  OpScope op(t, false);
  if (op.status() < 0) return Result::Eof;
  if (TagState* s = t.selectedState()) return t.fromCursor(s->ntx->last(), Result::Success);
  if (t.dbf->recCount() == 0) {
    t.setEof();
    return Result::Eof;
  }
  return t.goTo(t.dbf->recCount());
}

Result Table::skip(long n) {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return Result::Eof;
  if (t.eof) {
    if (n >= 0) return Result::Eof;
    // Backwards from end of file starts on the last record.
    if (bottom() != Result::Success) return Result::Bof;
    ++n;
  }
  OpScope op(t, false);
  if (op.status() < 0) return Result::Eof;
  TagState* s = t.selectedState();
  if (!s) {
    long target = static_cast<long>(t.recno) + n;
    if (target < 1) {
      t.goTo(1);
      t.bof = true;
      return Result::Bof;
    }
    if (target > static_cast<long>(t.dbf->recCount())) {
      t.setEof();
      return Result::Eof;
    }
    t.goTo(static_cast<uint32_t>(target));
    return Result::Success;
  }
  if (n == 0) return Result::Success;
  if (t.syncCursor() < 0) return Result::Eof;
  NtxIndex& ntx = *s->ntx;
  for (; n > 0; --n) {
    if (!ntx.next()) return t.fromCursor(false, Result::Eof);
  }
  for (; n < 0; ++n) {
    if (ntx.prev()) continue;
    if (ntx.status() < 0) return t.fromCursor(false, Result::Eof);
    if (t.fromCursor(ntx.first(), Result::Bof) != Result::Bof) return Result::Eof;
    t.bof = true;
    return Result::Bof;
  }
  return t.fromCursor(true, Result::Success);
}

Result Table::seek(std::string_view key) {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return Result::Eof;
  TagState* s = t.selectedState();
  if (!s) {
    t.fail(kErrTag);
    return Result::Eof;
  }
  OpScope op(t, false);
  if (op.status() < 0) return Result::Eof;
  switch (s->ntx->seek(key)) {
    case NtxIndex::SeekResult::Exact:
      return t.fromCursor(true, Result::Success);
    case NtxIndex::SeekResult::After:
      return t.fromCursor(true, Result::After);
    case NtxIndex::SeekResult::Eof:
      break;
  }
  return t.fromCursor(false, Result::Eof);
}

double Table::position() {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return 0.0;
  OpScope op(t, false);
  if (op.status() < 0) return 0.0;
  uint32_t count = t.dbf->recCount();
  if (t.eof) return count == 0 ? 0.0 : 1.0;
  if (TagState* s = t.selectedState()) {
    if (t.syncCursor() < 0) return 0.0;
    double at = s->ntx->position();
    if (s->ntx->status() < 0) t.failIn(*s, s->ntx->status());
    return at;
  }
  if (count <= 1) return 0.0;
  return static_cast<double>(t.recno - 1) / static_cast<double>(count - 1);
}

Result Table::positionTo(double fraction) {
  Impl& t = *impl_;
  if (t.flushRecord() < 0) return Result::Eof;
  OpScope op(t, false);
  if (op.status() < 0) return Result::Eof;
  fraction = std::clamp(fraction, 0.0, 1.0);
  if (TagState* s = t.selectedState())
    return t.fromCursor(s->ntx->positionTo(fraction), Result::Success);
  uint32_t count = t.dbf->recCount();
  if (count == 0) {
    t.setEof();
    return Result::Eof;
  }
  return t.goTo(1 + static_cast<uint32_t>(std::lround(fraction * (count - 1))));
}

bool Table::deleted() const {
  if (impl_->load() < 0) return false;
  return impl_->rec[0] == '*';
}

Tag* Table::tag(std::string_view name) {
  for (auto& tag : impl_->tags) {
    const std::string& n = tag->name();
    if (n.size() == name.size() && std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      return tag.get();
    }
  }
  return nullptr;
}

void Table::selectTag(Tag* tag) {
  impl_->selected = -1;
  if (!tag) return;
  for (size_t i = 0; i < impl_->tags.size(); ++i) {
    if (impl_->tags[i].get() == tag) impl_->selected = static_cast<int>(i);
  }
}

Tag* Table::selectedTag() const {
  return impl_->selected >= 0 ? impl_->tags[impl_->selected].get() : nullptr;
}

const std::vector<std::unique_ptr<Tag>>& Table::tags() const {
  return impl_->tags;
}

Field* Table::field(std::string_view name) {
  int i = impl_->dbf->fieldIndex(name);
  return i >= 0 ? impl_->fields[i].get() : nullptr;
}

const std::vector<std::unique_ptr<Field>>& Table::fields() const {
  return impl_->fields;
}

const std::string& Tag::expression() const {
  return table_.impl_->tagStates[slot_].ntx->info().expression;
}

size_t Tag::keyLength() const {
  return table_.impl_->tagStates[slot_].expr->length();
}

void Table::close() {
  Impl& t = *impl_;
  releaseReads();
  int status = t.flushRecord(true);
  int files = t.flushFiles();
  if (status == kOk) status = files;
  t.fail(status);
  if (t.dbf) t.dbf->file().unlock(kOpenLockOffset, 1);
  t.engine->forget(this);  // destroys this table: nothing may follow
}

}  // namespace vt::engine
