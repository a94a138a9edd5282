#include "shell/main_pages.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/picture_button.h"

namespace vt::shell {

const std::vector<PageDef>& MainPages() {
  static const std::vector<PageDef> kPages = {
      {"invoicesPage",
       "Invoices",
       300,
       {
           {"invoicesButton", "invoice.svg", "Create & Edit Invoices", "Invoices"},
           {"printInvoicesButton", "print_invoices.svg", "Print Invoices for specified date(s)",
            "Print Invoices"},
           {"invoiceLabelsButton", "invoice_labels.svg", "Print Mailing Labels for Invoice Date(s)",
            "Invoice Labels"},
       }},
      {"catalogPage",
       "Customers and Products",
       400,
       {
           {"customersButton", "customers.svg", "Add & Edit Customers", "Customers"},
           {"groupsButton", "groups.svg", "Add & Edit Customer Groups", "Customer Groups"},
           {"productsButton", "product.svg", "Add & Edit Products / Services", "Products"},
           {"purchasesButton", "purchase.svg", "Add & Edit Inventory Purchases", "Purchases"},
           {"productListButton", "product_list.svg", "Print Product Listing", "Product Listing"},
           {"purchaseReportButton", "purchase_report.svg", "Print Purchasing Report",
            "Purchasing Report"},
       }},
      {"reportsPage",
       "Report Generation",
       500,
       {
           {"statementsButton", "statements.svg", "Print Invoices, Bills or Customer Statements",
            "Invoices and Statements"},
           {"profileButton", "profile.svg", "Print Customer's Purchasing Profile",
            "Customer Profile"},
           {"salesReportsButton", "sales.svg", "Print Sales & Tax Reports", "Sales and Tax"},
           {"addressLabelsButton", "address_labels.svg", "Print Address Labels", "Address Labels"},
           {"mailMergeButton", "mail_merge.svg", "Generate a Mail Merge File", "Mail Merge"},
           {"inventoryReportsButton", "inventory.svg", "Print Inventory Reports",
            "Inventory Reports"},
       }},
      {"preferencesPage",
       "Preferences",
       600,
       {
           {"reportFontButton", "font.svg", "Select a Font for printing reports", "Report Font"},
           {"printerSetupButton", "printer_setup.svg", "Select a printer for reports",
            "Printer Setup"},
           {"stationeryButton", "stationery.svg", "Set up custom stationary", "Stationary"},
           {"salesTaxButton", "tax.svg", "Set up sales tax rates", "Sales Tax"},
           {"labelFormsButton", "label_forms.svg", "Define Address Label Stock", "Label Forms"},
           {"emailSettingsButton", "email.svg", "Set up sending invoices and statements by e-mail",
            "E-mail Settings"},
       }},
      {"maintenancePage",
       "File Maintenance",
       700,
       {
           {"backupButton", "backup.svg", "Backup Data Files", "Backup"},
           {"restoreButton", "restore.svg", "Restore Data Files", "Restore"},
           {"reindexButton", "reindex.svg", "Reindex Data Files", "Reindex"},
           {"packButton", "pack.svg", "Pack Data Files", "Pack"},
           {"importButton", "import.svg", "Import Data from VESKA version 4 or 5", "Import"},
           {"eraseButton", "erase.svg", "Erase all data and start over", "Erase All"},
       }},
  };
  return kPages;
}

namespace {

const QColor kTeal(0x00, 0x80, 0x80);

QFrame* makeShape(QWidget* parent) {
  auto* shape = new QFrame(parent);
  shape->setObjectName(QStringLiteral("buttonShape"));
  shape->setFrameShape(QFrame::StyledPanel);
  shape->setAutoFillBackground(true);
  QPalette teal = shape->palette();
  teal.setColor(QPalette::Window, kTeal);
  teal.setColor(QPalette::WindowText, Qt::white);
  teal.setColor(QPalette::ButtonText, Qt::white);
  shape->setPalette(teal);
  return shape;
}

QPushButton* makeHelpButton(QWidget* parent) {
  auto* help = new QPushButton(QApplication::style()->standardIcon(QStyle::SP_DialogHelpButton),
                               QObject::tr("&Help"), parent);
  help->setObjectName(QStringLiteral("helpButton"));
  help->setToolTip(QObject::tr("Help on this page"));
  help->setAccessibleName(QObject::tr("Help"));
  help->setAccessibleDescription(QObject::tr("Help on this page"));
  return help;
}

}  // namespace

BuiltPage BuildPage(const PageDef& def, QWidget* parent) {
  BuiltPage built;
  built.page = new QWidget(parent);
  built.page->setObjectName(def.name);
  built.shape = makeShape(built.page);
  built.grid = new QGridLayout(built.shape);
  built.grid->setContentsMargins(16, 16, 16, 16);
  built.grid->setSpacing(12);
  for (const ButtonDef& button : def.buttons) {
    built.buttons.push_back(new PictureButton(
        button.name, QStringLiteral(":/icons/") + button.picture, QString::fromUtf8(button.hint),
        QString::fromUtf8(button.caption), built.shape));
  }
  built.help = makeHelpButton(built.page);

  auto* column = new QVBoxLayout(built.page);
  column->addWidget(built.shape, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(built.help);
  column->addLayout(bottom);
  return built;
}

void PlaceInRows(const BuiltPage& built, int perRow, int firstRow) {
  for (size_t i = 0; i < built.buttons.size(); ++i) {
    const int index = static_cast<int>(i);
    built.grid->addWidget(built.buttons[i], firstRow + index / perRow, index % perRow,
                          Qt::AlignCenter);
  }
}

}  // namespace vt::shell
