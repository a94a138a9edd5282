#include "ntx_runs.h"

#include <algorithm>
#include <cstring>

#include "status.h"

namespace vt::engine::ntx {

int writeRun(File& file, const uint8_t* recs, size_t recSize, const SortOrder& order,
             SystemVector<uint8_t>& buffer, uint64_t* end, std::vector<Run>* runs) {
  runs->push_back(Run{*end, order.size()});
  size_t block = std::max(buffer.capacity() / recSize, size_t{1}) * recSize;
  buffer.clear();
  for (const SortKey& k : order) {
    const uint8_t* r = recs + static_cast<size_t>(k.index) * recSize;
    buffer.insert(buffer.end(), r, r + recSize);
    if (buffer.size() >= block) {
      if (!file.write(*end, buffer.data(), buffer.size())) return kErrWrite;
      *end += buffer.size();
      buffer.clear();
    }
  }
  if (!buffer.empty()) {
    if (!file.write(*end, buffer.data(), buffer.size())) return kErrWrite;
    *end += buffer.size();
    buffer.clear();
  }
  return kOk;
}

RunMerger::RunMerger(File& file, const std::vector<Run>& runs, size_t recSize, size_t memory)
    : file_(file), recSize_(recSize) {
  size_t per = memory / std::max(runs.size(), size_t{1}) / recSize;
  per = std::max(per, size_t{16});
  for (const Run& r : runs) {
    Source s{r.offset, r.count, {}};
    s.buf.resize(per * recSize);
    sources_.push_back(std::move(s));
  }
}

bool RunMerger::fill(Source& s) {
  s.pos = s.end = 0;
  if (s.left == 0) return false;
  uint64_t want = std::min<uint64_t>(s.left, s.buf.size() / recSize_) * recSize_;
  size_t got = 0;
  if (!file_.read(s.at, s.buf.data(), want, &got)) {
    status_ = kErrRead;
    return false;
  }
  if (got != want) {
    status_ = kErrRead;
    return false;
  }
  s.at += want;
  s.left -= want / recSize_;
  s.end = want;
  return true;
}

bool RunMerger::before(size_t a, size_t b) const {
  int c = std::memcmp(sources_[a].current(), sources_[b].current(), recSize_);
  return c != 0 ? c > 0 : a > b;
}

// Moves the source at the top of the heap down to its place once its
// current record has changed.
void RunMerger::siftDown() {
  const size_t n = heap_.size();
  size_t at = 0;
  while (true) {
    size_t c = 2 * at + 1;
    if (c >= n) break;
    if (c + 1 < n && before(heap_[c], heap_[c + 1])) ++c;
    if (!before(heap_[at], heap_[c])) break;
    std::swap(heap_[at], heap_[c]);
    at = c;
  }
}

const uint8_t* RunMerger::next() {
  auto cmp = [this](size_t a, size_t b) { return before(a, b); };
  if (done_) return nullptr;
  if (!started_) {
    started_ = true;
    for (size_t i = 0; i < sources_.size(); ++i) {
      if (fill(sources_[i])) heap_.push_back(i);
      if (status_ < 0) return nullptr;
    }
    std::make_heap(heap_.begin(), heap_.end(), cmp);
  } else {
    // The record handed out last is consumed now that the caller is done:
    // its source moves on and down the heap, or leaves it when used up.
    Source& s = sources_[heap_.front()];
    s.pos += recSize_;
    if (s.pos < s.end || fill(s)) {
      siftDown();
    } else {
      if (status_ < 0) return nullptr;
      std::pop_heap(heap_.begin(), heap_.end(), cmp);
      heap_.pop_back();
    }
  }
  if (heap_.empty()) {
    done_ = true;
    return nullptr;
  }
  return sources_[heap_.front()].current();
}

}  // namespace vt::engine::ntx
