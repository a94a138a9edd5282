// The stretch of a table's selected order that a grid picker shows: ten
// records starting at the window top. It keeps the window top and its limit
// and puts the table on the first record of the window, so that a fill reads
// ten records whatever the size of the table.
//
// Positions come from the engine's relative position of a record. Within
// kReach records of either end of the order they are made exact: skip back
// from the record by the estimate (lowering it by 15 while that runs past
// the end) and count the skips still possible to the end. Further inside,
// the estimate stands and the window is reached from the last record it was
// put on (its anchor), so scrolling moves by exactly the records asked for;
// coming near an end, the anchor's position is counted and the window top
// corrected by the estimate's error.
#pragma once

#include "engine/engine.h"

namespace vt::ui {

class RecordWindow {
 public:
  static constexpr long kRows = 10;
  // Positions this near either end of the order are counted exactly.
  static constexpr long kReach = 200;
  // Lowering of the estimate each time a backward skip runs past the end.
  static constexpr long kEstimateStep = 15;

  // Counts the records: the top limit is the count less ten when there are
  // more than ten, else 0. Forgets the anchor.
  void reset(engine::Table& table);
  // No table to show: no records, limit and top 0.
  void clear();

  long count() const { return count_; }
  long top() const { return top_; }
  long topLimit() const { return limit_; }
  // A new window top, clamped into 0 .. top limit.
  void setTop(long top);
  // The scroll bar's place: trunc(top * 100 / limit), 0 when the limit is 0.
  int percent() const;

  // The position in the selected order (0 = first) of record `recno`, which
  // also anchors the window there. A record that cannot be reached stands
  // for the first record: `recno` then receives its number (0 when empty).
  long positionOf(engine::Table& table, long& recno);

  // Puts the table on the first record of the window at top(). The top is
  // corrected when the order's ends show that it was estimated wrong.
  // False when the table has no record to show.
  bool seat(engine::Table& table);
  // After a fill that read `rows` records: the rows ran out before the
  // window was full although more than ten records are on file, so the top
  // was estimated too high. It is set to the limit for a second fill.
  bool overshot(long rows);

 private:
  bool nearAnEnd(long position) const;
  long exactPosition(engine::Table& table, long recno, long estimate);
  long countToEnd(engine::Table& table, long recno, long estimate, int direction);
  engine::Result place(engine::Table& table);
  engine::Result fromBottom(engine::Table& table);
  void settleAnchor(engine::Table& table);
  void anchor(long top, long recno, bool exact);

  long count_ = 0;
  long limit_ = 0;
  long top_ = 0;
  // A record whose position in the order is known (exactly or estimated).
  bool anchored_ = false;
  bool anchorExact_ = false;
  long anchorTop_ = 0;
  long anchorRec_ = 0;
};

}  // namespace vt::ui
