// TProdDef, the "Product Definition" window: creates, changes and deletes
// one product of Prod5 through the product buffer, for the product
// selection cycle. Also the field helpers it shares with the inventory
// purchase window (TPurDef).
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "data/data_session.h"
#include "data/selection_cycle.h"
#include "ui/amount_field_exit.h"
#include "ui/context.h"
#include "ui/record_access.h"
#include "ui/unsaved_changes.h"

namespace Ui {
class TProdDef;
}

namespace vt::ui {
class AmountEdit;
}

namespace vt::catalog {

class TProdDef : public QDialog, public vt::data::RecordEditor {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 430;

  TProdDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);
  ~TProdDef() override;

  // Shows the window modally on product `current` (0: a new product).
  // Leaves there what the window left in CurProduct: the saved or deleted
  // product, -1 for a new product that was not saved.
  void edit(long& current) override;

 public slots:
  // Loads product CurProduct (or starts a new one) into the controls. False,
  // after telling the user, when the record cannot be read.
  bool FormShow();
  void saveClicked();
  void deleteClicked();
  void cancelClicked();
  void helpClicked();
  // Escape and the close box: with anything changed, only after the user
  // agrees to discard it. The Cancel button discards without asking.
  void reject() override;
  void priceLeft();
  void reorderLevelLeft();

 private:
  void setUpFields();
  void startNewProduct();
  void setTaxCaptions();
  void showProduct();
  // The typed ID, already upper-cased, is used by no other product.
  bool idIsFree(const QString& id);

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  std::unique_ptr<Ui::TProdDef> form_;
  vt::ui::UnsavedChanges changes_{*this};
};

// ---- Shared with the inventory purchase window ----

using vt::ui::AmountToSave;
using vt::ui::GoToRecord;
using vt::ui::LeaveAmountField;
using vt::ui::LoadRecord;
using vt::ui::RefocusField;
using vt::ui::ReportTableFailure;
using vt::ui::SetUpEditorButtons;
using vt::ui::WatchFieldExit;

// Saves the buffer with `store` into record `recNo` of table `id`, or when
// `recNo` is not above 0 into a new record whose number then goes into
// `recNo` (vt::data::SaveRecord: a failed save leaves no record behind). A
// refused append says kAppendRefused. False, after telling the user, when
// nothing was saved.
bool SaveEditedRecord(vt::data::DataSession& session, vt::data::TableId id, long& recNo,
                      int (vt::data::DataSession::*store)(), vt::base::Dialogs& dialogs,
                      const std::string& what);

// Marks record `recNo` of `table` deleted and sets NeedsPack; no question is
// asked. False, after telling the user, when it cannot be marked.
bool DeleteRecord(vt::data::DataSession& session, engine::Table* table, long recNo,
                  vt::base::Dialogs& dialogs, const std::string& what);

// Shown when an append fails.
constexpr const char* kAppendRefused = "Unable to Append record . . Please try again.";

}  // namespace vt::catalog
