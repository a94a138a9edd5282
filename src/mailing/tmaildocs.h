// TMailDocs, the window "E-mail Documents": the documents of a run with the
// customers' addresses, which the user may change for this sending. A
// document whose customer has no address is marked and left out (it can
// still be printed) unless an address is typed for it.
#pragma once

#include <QDialog>
#include <vector>

#include "mailing/document_mail.h"
#include "ui/context.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vt::mailing {

// The help topic of sending by e-mail.
constexpr int kMailHelpContext = 640;

class TMailDocs : public QDialog {
  Q_OBJECT

 public:
  TMailDocs(QWidget* parent, vt::ui::UiContext& ui);

  // Shows `documents`; true when Send was pressed, with their addresses as
  // the user left them.
  bool Run(std::vector<OutgoingDocument>& documents);

  QTableWidget* documentsTable = nullptr;
  QLabel* summaryLabel = nullptr;
  QPushButton* sendButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* helpButton = nullptr;

 public slots:
  void helpClicked();
  void sendClicked();

 private:
  void fill(const std::vector<OutgoingDocument>& documents);
  // The addresses of the table's rows, trimmed.
  std::vector<std::string> addresses() const;
  void updateSummary();

  vt::ui::UiContext& ui_;
};

}  // namespace vt::mailing
