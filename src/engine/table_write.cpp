// Table: changing records and keeping every open index current.
#include <algorithm>
#include <cstring>
#include <utility>

#include "table_impl.h"

namespace vt::engine {

int Table::Impl::beginOp(bool write, bool allTags) {
  if (lost) return fail(kErrLocked);
  if (write && !dbf->writable()) return fail(kErrReadOnly);
  if (!shared()) return kOk;
  if (opDepth > 0) {
    // Already inside an operation; a write inside a read is not expected.
    if (write && !opWrite) return fail(kErrLocked);
    ++opDepth;
    return kOk;
  }
  opDepth = 1;
  opWrite = write;
  File& f = dbf->file();
  if (!f.lock(kWriteLockOffset, 1, write ? LockKind::Exclusive : LockKind::Shared, true)) {
    opDepth = 0;
    return fail(kErrLocked);
  }
  bool changed = false;
  int status = dbf->refresh(&changed);
  if (status == kOk && dbt && write) status = dbt->refresh();
  // A read uses only the selected order; a write touches every index. An
  // index not looked at now is brought up to date when it next is.
  for (size_t i = 0; i < tagStates.size(); ++i) {
    if (!write && !allTags && static_cast<int>(i) != selected) continue;
    bool c = false;
    if (status == kOk) status = tagStates[i].ntx->refresh(&c);
    changed = changed || c;
  }
  if (status < 0) {
    f.unlock(kWriteLockOffset, 1);
    opDepth = 0;
    return fail(status);
  }
  // Another user wrote: read the current record afresh unless it is being
  // edited here.
  if (changed && !this->changed) loaded = false;
  return kOk;
}

int Table::holdReads() {
  Impl& t = *impl_;
  if (t.readHeld || !t.shared()) return kOk;
  const int status = t.beginOp(false, true);
  t.readHeld = status == kOk;
  return status;
}

void Table::releaseReads() {
  Impl& t = *impl_;
  if (!t.readHeld) return;
  t.readHeld = false;
  t.endOp(false, kOk);
}

int Table::Impl::endOp(bool write, int status) {
  if (!shared()) return status;
  if (--opDepth > 0) return status;
  if (write) {
    int flushed = flushFiles();
    if (status == kOk) status = flushed;
  }
  dbf->file().unlock(kWriteLockOffset, 1);
  return fail(status);
}

int Table::Impl::flushFiles() {
  if (lost) return kOk;  // nothing is pending: the failed rewrite flushed first
  int status = kOk;
  auto keep = [&status](int s) {
    if (status == kOk && s < 0) status = s;
  };
  if (dbf->writable()) {
    keep(dbf->flush());
    if (dbt) keep(dbt->flush());
    for (auto& ts : tagStates) keep(ts.ntx->flush());
  }
  return status;
}

int Table::Impl::changeKeys(uint32_t n, const std::vector<char>* before) {
  std::string newKey;
  for (auto& ts : tagStates) {
    evaluateKey(ts, rec);
    newKey = ts.keyBuf;
    int status = kOk;
    if (before) {
      evaluateKey(ts, *before);
      if (newKey == ts.keyBuf) continue;
      // An old key that is not there means the index no longer matches the
      // table: the index is damaged.
      status = ts.ntx->remove(ts.keyBuf, n);
    }
    if (status == kOk) status = ts.ntx->insert(newKey, n);
    if (status < 0) return failIn(ts, status);
  }
  return kOk;
}

int Table::Impl::writeWithKeys(uint32_t n, const std::vector<char>* before,
                               const std::function<int()>& store) {
  for (auto& ts : tagStates) ts.ntx->beginChanges();
  int status = changeKeys(n, before);
  if (status == kOk) status = fail(store());
  for (auto& ts : tagStates) {
    if (status == kOk) {
      ts.ntx->commitChanges();
    } else {
      ts.ntx->undoChanges();
    }
  }
  return status;
}

int Table::Impl::appendRecord(uint32_t* n, bool writeOut) {
  const uint32_t count = dbf->recCount();
  *n = count + 1;
  int status = writeWithKeys(*n, nullptr, [this, n, writeOut] {
    int stored = dbf->append(rec.data(), n);
    return stored == kOk && writeOut ? flushFiles() : stored;
  });
  if (status < 0 && writeOut) takeBackAppend(count);
  return status;
}

// After a failed append was written out in part: the header's count goes
// back to `count` and the undone index pages are written back. The failure
// is already reported; what cannot be written now stays pending for the
// next flush.
void Table::Impl::takeBackAppend(uint32_t count) {
  dbf->discardAppends(count);
  for (auto& ts : tagStates) ts.ntx->flush();
}

int Table::Impl::writeAppended(bool writeOut) {
  pendingAppend = false;
  changed = false;
  uint32_t n = 0;
  if (int status = appendRecord(&n, writeOut); status < 0) {
    setEof();
    return fail(status);
  }
  std::memcpy(stored.data(), rec.data(), rec.size());
  return kOk;
}

int Table::Impl::flushRecord(bool writeOut) {
  if (refused < 0) return dropRefused(writeOut);
  if (pendingAppend) return writeAppended(writeOut);
  if (!changed) return kOk;
  changed = false;
  OpScope op(*this, true);
  int status = op.status();
  // The image on disk decides which keys to replace (another user may have
  // rewritten the record since it was read here).
  if (status == kOk && shared()) status = fail(dbf->read(recno, stored.data()));
  // A shared table is written through at once.
  if (status == kOk) status = rewriteRecord(writeOut || shared());
  // A failed rewrite is dropped: the buffer shows the record as stored.
  if (status == kOk) {
    stored = rec;
  } else {
    rec = stored;
  }
  return fail(op.finish(status));
}

// None of a refused record's changes is written: a record being added goes
// out blank (its adder takes it back), a changed one stays as stored.
int Table::Impl::dropRefused(bool writeOut) {
  const int status = std::exchange(refused, 0);
  if (pendingAppend) {
    std::fill(rec.begin(), rec.end(), ' ');
    if (const int written = writeAppended(writeOut); written < 0) return written;
  } else {
    rec = stored;
    changed = false;
  }
  return fail(status);
}

int Table::Impl::rewriteRecord(bool writeOut) {
  bool written = false;
  int status = writeWithKeys(recno, &stored, [this, writeOut, &written] {
    written = true;
    int put = dbf->write(recno, rec.data());
    return put == kOk && writeOut ? flushFiles() : put;
  });
  if (status < 0 && written) takeBackRewrite(writeOut);
  return status;
}

// After a failed rewrite: the record's old bytes go back over whatever of
// the new ones reached the disk and, when the indexes were written out, the
// undone index pages are written back. The failure is already reported;
// index pages that cannot be written now stay pending for the next flush.
void Table::Impl::takeBackRewrite(bool writeOut) {
  dbf->write(recno, stored.data());
  if (!writeOut) return;
  for (auto& ts : tagStates) ts.ntx->flush();
}

int Table::appendBlank() {
  Impl& t = *impl_;
  int status = t.flushRecord();
  if (status < 0) return status;
  if (t.lost) return t.fail(kErrLocked);
  if (!t.dbf->writable()) return t.fail(kErrReadOnly);
  std::fill(t.rec.begin(), t.rec.end(), ' ');
  if (!t.shared()) {
    t.goTo(t.dbf->recCount() + 1);
    t.loaded = true;
    t.pendingAppend = true;
    return kOk;
  }
  OpScope op(t, true);
  if (op.status() < 0) return op.status();
  uint32_t n = 0;
  status = t.appendRecord(&n, true);
  if (status < 0) {
    t.setEof();
    return t.fail(op.finish(status));
  }
  t.goTo(n);
  t.stored = t.rec;
  t.loaded = true;
  return t.fail(op.finish(kOk));
}

namespace {

int markDeleted(Table::Impl& t, char flag) {
  if (t.eof) return t.fail(kErrRecord);
  int status = t.load();
  if (status < 0) return status;
  if (t.rec[0] != flag) {
    t.rec[0] = flag;
    t.changed = true;
  }
  return kOk;
}

}  // namespace

void Table::deleteRecord() {
  markDeleted(*impl_, '*');
}
void Table::recall() {
  markDeleted(*impl_, ' ');
}

int Table::flush() {
  Impl& t = *impl_;
  // A record added or changed by a user holding the table alone goes out
  // with the files, so that a failure takes it back whole.
  int status = t.flushRecord(true);
  if (status < 0) return status;
  if (t.shared()) return kOk;  // shared tables are written through after each change
  return t.fail(t.flushFiles());
}

}  // namespace vt::engine
