#include "ui/grid_picker_window.h"

#include <algorithm>
#include <cstdlib>

namespace vt::ui {

using engine::Result;
using engine::Table;

namespace {

bool Go(Table& table, long recno) {
  return recno > 0 && table.go(static_cast<uint32_t>(recno)) == Result::Success;
}

}  // namespace

void RecordWindow::reset(Table& table) {
  count_ = static_cast<long>(table.recCount());
  limit_ = count_ > kRows ? count_ - kRows : 0;
  top_ = std::clamp(top_, 0L, limit_);
  anchored_ = false;
}

void RecordWindow::clear() {
  count_ = limit_ = top_ = 0;
  anchored_ = false;
}

void RecordWindow::setTop(long top) {
  top_ = std::clamp(top, 0L, limit_);
}

int RecordWindow::percent() const {
  if (limit_ <= 0) return 0;
  return static_cast<int>(top_ * 100 / limit_);
}

void RecordWindow::anchor(long top, long recno, bool exact) {
  anchored_ = true;
  anchorTop_ = top;
  anchorRec_ = recno;
  anchorExact_ = exact;
}

bool RecordWindow::nearAnEnd(long position) const {
  return position <= kReach || count_ - 1 - position <= kReach;
}

long RecordWindow::positionOf(Table& table, long& recno) {
  if (!Go(table, recno)) {
    recno = table.top() == Result::Success ? static_cast<long>(table.recNo()) : 0;
    if (recno > 0) anchor(0, recno, true);
    return 0;
  }
  long last = count_ - 1;
  long estimate = std::clamp(static_cast<long>(count_ * table.position()), 0L, std::max(last, 0L));
  bool exact = nearAnEnd(estimate);
  long position = exact ? exactPosition(table, recno, estimate) : estimate;
  anchor(position, recno, exact);
  return position;
}

// The exact position of `recno`, counted towards the nearer end of the
// order from the estimated one.
long RecordWindow::exactPosition(Table& table, long recno, long estimate) {
  long last = count_ - 1;
  if (estimate <= last - estimate) return countToEnd(table, recno, estimate, -1);
  return last - countToEnd(table, recno, last - estimate, +1);
}

// How many records lie between `recno` and the end of the order in
// `direction` (-1 towards the first record, +1 towards the last). Skips by
// the estimate; while that runs past the end, goes back to the record and
// lowers the estimate by 15. The records still left beyond are counted with
// skips of doubling length, each one that runs past the end followed by
// halving from the last place reached, so a low estimate costs a few skips
// rather than one per record.
long RecordWindow::countToEnd(Table& table, long recno, long estimate, int direction) {
  for (;;) {
    if (!Go(table, recno)) return 0;
    if (table.skip(direction * estimate) == Result::Success) break;
    estimate = estimate <= kEstimateStep ? 0 : estimate - kEstimateStep;
  }
  long counted = estimate;
  long step = 1;
  bool growing = true;
  while (step > 0) {
    if (table.skip(direction * step) == Result::Success) {
      counted += step;
      step = growing ? step * 2 : step / 2;
      continue;
    }
    growing = false;
    step /= 2;
    if (step > 0 && (!Go(table, recno) || table.skip(direction * counted) != Result::Success))
      break;
  }
  return counted;
}

bool RecordWindow::seat(Table& table) {
  top_ = std::clamp(top_, 0L, limit_);
  Result result = place(table);
  if (result == Result::Eof && top_ > 0) {
    top_ = limit_;
    result = fromBottom(table);
  }
  if (result == Result::Bof) {
    top_ = 0;
    result = table.top();
  }
  if (result != Result::Success || table.eof()) return false;
  anchor(top_, static_cast<long>(table.recNo()), anchorExact_ || nearAnEnd(top_));
  return true;
}

// Moves the table to the window's first record: from an end of the order
// when the window is near it, from the anchor when that is near, else to
// the estimated place.
Result RecordWindow::place(Table& table) {
  long last = count_ - 1;
  if (top_ == 0) return table.top();
  if (top_ == limit_) return fromBottom(table);
  if (anchored_ && std::labs(top_ - anchorTop_) <= kReach) {
    if (!anchorExact_ && nearAnEnd(top_)) settleAnchor(table);
    if (Go(table, anchorRec_)) return table.skip(top_ - anchorTop_);
  }
  anchorExact_ = nearAnEnd(top_);
  if (top_ <= kReach) {
    Result first = table.top();
    return first == Result::Success ? table.skip(top_) : first;
  }
  if (last - top_ <= kReach) {
    Result end = table.bottom();
    return end == Result::Success ? table.skip(-(last - top_)) : end;
  }
  return table.positionTo((static_cast<double>(top_) + 0.5) / static_cast<double>(count_));
}

// The window comes near an end of the order from an estimated place: the
// anchor's position is counted, and the window top moves by the estimate's
// error so that the window still moves by the records asked for.
void RecordWindow::settleAnchor(Table& table) {
  long exact = exactPosition(table, anchorRec_, anchorTop_);
  top_ = std::clamp(top_ + exact - anchorTop_, 0L, limit_);
  anchorTop_ = exact;
  anchorExact_ = true;
}

Result RecordWindow::fromBottom(Table& table) {
  anchorExact_ = true;
  Result end = table.bottom();
  return end == Result::Success ? table.skip(-(kRows - 1)) : end;
}

bool RecordWindow::overshot(long rows) {
  if (rows >= kRows || count_ <= kRows || top_ >= limit_) return false;
  top_ = limit_;
  return true;
}

}  // namespace vt::ui
