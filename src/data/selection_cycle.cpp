// The selection cycle, written once for the six record kinds: the picker,
// then for New the editor, leaving the kind's current-record number.
#include "data/selection_cycle.h"

#include "data/data_session.h"

namespace vt::data {

namespace {

struct CyclePlan {
  TableId table;
  const char* emptyMessage;  // shown when the table is empty and New is not allowed
  const char* tag;           // selected first; null: the order is left as it is
  // Shown when a record marked deleted is chosen, which is then refused;
  // null: such a record may be chosen (its editor's save brings it back).
  const char* deletedMessage = nullptr;
};

// Whether record `recNo` of `records` is marked deleted.
bool markedDeleted(engine::Table& records, long recNo) {
  const bool deleted =
      records.go(static_cast<uint32_t>(recNo)) == engine::Result::Success && records.deleted();
  records.engine().errorCode();
  return deleted;
}

const CyclePlan& cyclePlan(RecordKind kind) {
  static constexpr CyclePlan kCustomer{TableId::Customers, "Customer Database is Empty", "cname"};
  static constexpr CyclePlan kGroup{TableId::Groups, "Group Database is Empty", nullptr};
  static constexpr CyclePlan kProduct{TableId::Products, "Product Database is Empty", nullptr};
  static constexpr CyclePlan kInvoice{TableId::Invoices, "Invoice Database is Empty", nullptr,
                                      "This invoice has been deleted and cannot be opened"};
  static constexpr CyclePlan kPurchase{TableId::Purchases, "Purchase Database is Empty", nullptr};
  static constexpr CyclePlan kLabel{TableId::Labels, "Label Database is Empty", nullptr};
  switch (kind) {
    case RecordKind::Customer:
      return kCustomer;
    case RecordKind::Group:
      return kGroup;
    case RecordKind::Product:
      return kProduct;
    case RecordKind::Invoice:
      return kInvoice;
    case RecordKind::Purchase:
      return kPurchase;
    case RecordKind::Label:
      break;
  }
  return kLabel;
}

}  // namespace

PickOutcome DataSession::Pick(RecordKind kind, bool allowNew, RecordPicker& picker,
                              RecordEditor& editor) {
  const CyclePlan& plan = cyclePlan(kind);
  long& current = Current(kind);
  PickOutcome outcome;
  engine::Table* records = table(plan.table);
  if (!records) {
    current = -1;
    outcome.status = engine::kErrOpen;
    return outcome;
  }
  if (plan.tag) {
    engine::Tag* tag = records->tag(plan.tag);
    if (!tag) {
      current = -1;
      outcome.status = engine::kErrTag;
      return outcome;
    }
    records->selectTag(tag);
  }
  if (records->recCount() == 0) {
    if (!allowNew) {
      dialogs_.information("", plan.emptyMessage);
      current = -1;
      return outcome;
    }
    current = 0;
  }
  for (;;) {
    picker.pick(allowNew, current);
    if (current <= 0 || !plan.deletedMessage || !markedDeleted(*records, current)) break;
    dialogs_.information("", plan.deletedMessage);
  }
  if (current == 0) {
    editor.edit(current);
    outcome.savedNew = current > 0;
  }
  outcome.chosen = current > 0;
  return outcome;
}

PickOutcome DataSession::PickCustomer(bool allowNew, RecordPicker& picker, RecordEditor& editor) {
  return Pick(RecordKind::Customer, allowNew, picker, editor);
}
PickOutcome DataSession::PickGroup(bool allowNew, RecordPicker& picker, RecordEditor& editor) {
  return Pick(RecordKind::Group, allowNew, picker, editor);
}
PickOutcome DataSession::PickProduct(bool allowNew, RecordPicker& picker, RecordEditor& editor) {
  return Pick(RecordKind::Product, allowNew, picker, editor);
}
PickOutcome DataSession::PickInvoice(bool allowNew, RecordPicker& picker, RecordEditor& editor) {
  return Pick(RecordKind::Invoice, allowNew, picker, editor);
}
PickOutcome DataSession::PickPurchase(bool allowNew, RecordPicker& picker, RecordEditor& editor) {
  return Pick(RecordKind::Purchase, allowNew, picker, editor);
}
PickOutcome DataSession::PickLabel(bool allowNew, RecordPicker& picker, RecordEditor& editor) {
  return Pick(RecordKind::Label, allowNew, picker, editor);
}

int DataSession::AddAndEdit(RecordKind kind, RecordPicker& picker, RecordEditor& editor) {
  for (;;) {
    const PickOutcome outcome = Pick(kind, true, picker, editor);
    if (!outcome.chosen) return outcome.status;
    if (!outcome.savedNew) editor.edit(Current(kind));
  }
}

int DataSession::startAt(RecordKind kind, bool bottom) {
  long& current = Current(kind);
  engine::Table* records = table(cyclePlan(kind).table);
  if (!records) return engine::kErrOpen;
  engine_.errorCode();
  EngineResult = bottom ? records->bottom() : records->top();
  current = EngineResult == engine::Result::Success ? static_cast<long>(records->recNo()) : 0;
  return engine_.errorCode();
}

int DataSession::StartAtTop(RecordKind kind) {
  return startAt(kind, false);
}
int DataSession::StartAtBottom(RecordKind kind) {
  return startAt(kind, true);
}

}  // namespace vt::data
