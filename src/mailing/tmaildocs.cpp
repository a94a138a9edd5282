#include "mailing/tmaildocs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/text1252.h"
#include "mail/mail_address.h"
#include "ui/help_viewer.h"

namespace vt::mailing {

namespace {

enum Column { kDocument, kCustomer, kAddress, kColumns };
const char* kNoAddress = "no e-mail address: left out";

}  // namespace

TMailDocs::TMailDocs(QWidget* parent, vt::ui::UiContext& ui) : QDialog(parent), ui_(ui) {
  setObjectName("TMailDocs");
  setWindowTitle(tr("E-mail Documents"));
  documentsTable = new QTableWidget(0, kColumns, this);
  documentsTable->setObjectName("documentsTable");
  documentsTable->setAccessibleName(tr("Documents to send"));
  documentsTable->setHorizontalHeaderLabels({tr("Document"), tr("Customer"), tr("E-mail address")});
  documentsTable->horizontalHeader()->setStretchLastSection(true);
  documentsTable->verticalHeader()->hide();
  documentsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  summaryLabel = new QLabel(this);
  summaryLabel->setObjectName("summaryLabel");
  summaryLabel->setAccessibleName(tr("What will be sent"));
  sendButton = new QPushButton(tr("&Send"), this);
  sendButton->setObjectName("sendButton");
  sendButton->setAccessibleName(tr("Send"));
  sendButton->setDefault(true);
  cancelButton = new QPushButton(tr("Cancel"), this);
  cancelButton->setObjectName("cancelButton");
  cancelButton->setAccessibleName(tr("Cancel"));
  connect(sendButton, &QPushButton::clicked, this, &TMailDocs::sendClicked);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  helpButton = new QPushButton(tr("&Help"), this);
  helpButton->setObjectName("helpButton");
  helpButton->setAccessibleName(tr("Help"));
  connect(helpButton, &QPushButton::clicked, this, &TMailDocs::helpClicked);
  connect(documentsTable, &QTableWidget::itemChanged, this, [this] { updateSummary(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(summaryLabel, 1);
  buttons->addWidget(sendButton);
  buttons->addWidget(cancelButton);
  buttons->addWidget(helpButton);
  auto* column = new QVBoxLayout(this);
  column->addWidget(documentsTable, 1);
  column->addLayout(buttons);
  resize(720, 420);
}

bool TMailDocs::Run(std::vector<OutgoingDocument>& documents) {
  fill(documents);
  if (exec() != QDialog::Accepted) return false;
  const std::vector<std::string> typed = addresses();
  for (size_t i = 0; i < documents.size(); ++i) documents[i].address = typed[i];
  return true;
}

void TMailDocs::fill(const std::vector<OutgoingDocument>& documents) {
  const QSignalBlocker quiet(documentsTable);
  documentsTable->setRowCount(static_cast<int>(documents.size()));
  for (int r = 0; r < static_cast<int>(documents.size()); ++r) {
    const OutgoingDocument& d = documents[static_cast<size_t>(r)];
    auto cell = [](const std::string& text, bool editable) {
      auto* item = new QTableWidgetItem(QString::fromStdString(text));
      if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      return item;
    };
    documentsTable->setItem(r, kDocument, cell(d.part.name, false));
    documentsTable->setItem(r, kCustomer, cell(d.customerName, false));
    documentsTable->setItem(r, kAddress, cell(d.address, true));
  }
  documentsTable->resizeColumnsToContents();
  updateSummary();
}

std::vector<std::string> TMailDocs::addresses() const {
  std::vector<std::string> out;
  for (int r = 0; r < documentsTable->rowCount(); ++r) {
    const QTableWidgetItem* item = documentsTable->item(r, kAddress);
    out.push_back(base::trim(item ? item->text().toStdString() : std::string()));
  }
  return out;
}

void TMailDocs::updateSummary() {
  int with = 0;
  const std::vector<std::string> typed = addresses();
  const QSignalBlocker quiet(documentsTable);
  for (int r = 0; r < static_cast<int>(typed.size()); ++r) {
    QTableWidgetItem* item = documentsTable->item(r, kAddress);
    const bool none = typed[static_cast<size_t>(r)].empty();
    item->setToolTip(none ? tr(kNoAddress) : QString());
    item->setBackground(none ? palette().alternateBase() : palette().base());
    with += none ? 0 : 1;
  }
  const int without = static_cast<int>(typed.size()) - with;
  summaryLabel->setText(tr("%1 to send").arg(with) +
                        (without > 0 ? tr(", %1 without an address left out").arg(without) : ""));
}

void TMailDocs::helpClicked() {
  ui_.help.showContext(kMailHelpContext);
}

void TMailDocs::sendClicked() {
  const std::vector<std::string> typed = addresses();
  bool any = false;
  for (size_t r = 0; r < typed.size(); ++r) {
    if (typed[r].empty()) continue;
    any = true;
    if (!mail::IsMailAddress(typed[r])) {
      ui_.dialogs.information(
          "E-mail Documents",
          "\"" + typed[r] + "\" in row " + std::to_string(r + 1) + " is not an e-mail address.");
      documentsTable->setCurrentCell(static_cast<int>(r), kAddress);
      return;
    }
  }
  if (!any) {
    ui_.dialogs.information("E-mail Documents", "No document has an e-mail address to go to.");
    return;
  }
  accept();
}

}  // namespace vt::mailing
