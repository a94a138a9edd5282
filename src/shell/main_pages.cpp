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
      {"TabSheet1",
       "Invoices",
       300,
       {
           {"BtnInvoice", "invoice.svg", "Create & Edit Invoices"},
           {"BtnInvPrint", "print_invoices.svg", "Print Invoices for specified date(s)"},
           {"BtnInvLab", "invoice_labels.svg", "Print Mailing Labels for Invoice Date(s)"},
       }},
      {"TabSheet2",
       "Customers and Products",
       400,
       {
           {"BtnCust", "customers.svg", "Add & Edit Customers"},
           {"BtnGroups", "groups.svg", "Add & Edit Customer Groups"},
           {"BtnProd", "product.svg", "Add & Edit Products / Services"},
           {"BtnPurchase", "purchase.svg", "Add & Edit Inventory Purchases"},
           {"Image4", "product_list.svg", "Print Product Listing"},
           {"Image5", "purchase_report.svg", "Print Purchasing Report"},
       }},
      {"TabSheet3",
       "Report Generation",
       500,
       {
           {"BtnRInv", "statements.svg", "Print Invoices, Bills or Customer Statements"},
           {"BtnRProf", "profile.svg", "Print Customer's Purchasing Profile"},
           {"BtnRSales", "sales.svg", "Print Sales & Tax Reports"},
           {"BtnRLabels", "address_labels.svg", "Print Address Labels"},
           {"BtnMMerge", "mail_merge.svg", "Generate a Mail Merge File"},
           {"BtnInvRpts", "inventory.svg", "Print Inventory Reports"},
       }},
      {"TabSheet4",
       "Preferences",
       600,
       {
           {"BtnFont", "font.svg", "Select a Font for printing reports", "Report Font"},
           {"BtnPSetup", "printer_setup.svg", "Select a printer for reports", "Printer Setup"},
           {"BtnStationary", "stationery.svg", "Set up custom stationary", "Stationary"},
           {"BtnSTax", "tax.svg", "Set up sales tax rates", "Sales Tax"},
           {"BtnLabForms", "label_forms.svg", "Define Address Label Stock", "Label Forms"},
       }},
      {"TabSheet5",
       "File Maintenance",
       700,
       {
           {"BtnBackup", "backup.svg", "Backup Data Files"},
           {"BtnRestore", "restore.svg", "Restore Data Files"},
           {"BtnIndex", "reindex.svg", "Reindex Data Files"},
           {"BtnPack", "pack.svg", "Pack Data Files"},
           {"BtnUpgrade", "import.svg", "Import Data from VESKA version 4 or 5"},
           {"BtnErase", "erase.svg", "Erase all data and start over"},
       }},
  };
  return kPages;
}

namespace {

const QColor kTeal(0x00, 0x80, 0x80);

QFrame* makeShape(int number, QWidget* parent) {
  auto* shape = new QFrame(parent);
  shape->setObjectName(QStringLiteral("Shape%1").arg(number));
  shape->setFrameShape(QFrame::StyledPanel);
  shape->setAutoFillBackground(true);
  QPalette teal = shape->palette();
  teal.setColor(QPalette::Window, kTeal);
  teal.setColor(QPalette::WindowText, Qt::white);
  teal.setColor(QPalette::ButtonText, Qt::white);
  shape->setPalette(teal);
  return shape;
}

QPushButton* makeHelpButton(int context, QWidget* parent) {
  auto* help = new QPushButton(QApplication::style()->standardIcon(QStyle::SP_DialogHelpButton),
                               QObject::tr("&Help"), parent);
  help->setObjectName(QStringLiteral("BtnHelp%1").arg(context));
  help->setToolTip(QObject::tr("Help on this page"));
  help->setAccessibleName(QObject::tr("Help on this page"));
  return help;
}

}  // namespace

BuiltPage BuildPage(const PageDef& def, int shapeNumber, QWidget* parent) {
  BuiltPage built;
  built.page = new QWidget(parent);
  built.page->setObjectName(def.name);
  built.shape = makeShape(shapeNumber, built.page);
  built.grid = new QGridLayout(built.shape);
  built.grid->setContentsMargins(16, 16, 16, 16);
  built.grid->setSpacing(12);
  for (const ButtonDef& button : def.buttons) {
    built.buttons.push_back(new PictureButton(
        button.name, QStringLiteral(":/icons/") + button.picture, QString::fromUtf8(button.hint),
        QString::fromUtf8(button.caption), built.shape));
  }
  built.help = makeHelpButton(def.helpContext, built.page);

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
