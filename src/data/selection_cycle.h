// The pick-then-edit cycle every "Add & Edit" button and every window that
// needs one record runs, the same for the six record kinds. The windows
// supply the picker and the editor; tests supply scripted ones.
#pragma once

namespace vt::data {

enum class RecordKind { Customer, Group, Product, Invoice, Purchase, Label };

// A picker window (TPickCust, TPickGroup, TPickProd, TPickInv, TPickPur,
// TPickLab), shown modally.
class RecordPicker {
 public:
  virtual ~RecordPicker() = default;
  // `current` holds the record to start at (0 when the table is empty). The
  // New button is enabled only when `allowNew`. Leaves in `current` the
  // chosen record number, 0 for New or -1 for Cancel.
  virtual void pick(bool allowNew, long& current) = 0;
};

// An editor window (TCustomer, TGroupDef, TProdDef, TInvoice, TPurDef,
// TLabelDef), shown modally.
class RecordEditor {
 public:
  virtual ~RecordEditor() = default;
  // `current` is the record to edit, or 0 for a new one. An editor working
  // on a new record holds -1 there until its first save, then the new
  // record's number.
  virtual void edit(long& current) = 0;
};

struct PickOutcome {
  bool chosen = false;    // the current-record number is a record (above 0)
  bool savedNew = false;  // New was pressed and the editor saved the record
  int status = 0;         // negative when the table is not open
};

}  // namespace vt::data
