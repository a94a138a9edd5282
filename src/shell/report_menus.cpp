#include "shell/report_menus.h"

#include <QCursor>
#include <QMenu>

namespace vt::shell {

const std::vector<PopupDef>& ReportMenus() {
  static const std::vector<PopupDef> kMenus = {
      {"BtnRInv",
       "PopupMenu1",
       {
           {"Invoices1",
            "&Invoices",
            {{"InvoicesByDate", "Selected &Date(s)"}, {"InvoicesSelected", "Selected &Invoices"}}},
           {"Bills1",
            "&Bills",
            {{"BillsWithBalance", "&With Balances Due"}, {"BillsSelected", "Selected &Bills"}}},
           {"Statements1",
            "&Statements",
            {{"StatementsWithBalance", "With &Balances"},
             {"StatementsSelected", "Selected &Customers"}}},
       }},
      {"BtnRProf",
       "PopupMenu2",
       {{"ProfileCustomers", "Selected &Customers"}, {"ProfileGroups", "Selected &Groups"}}},
      {"BtnRSales",
       "PopupMenu3",
       {
           {"SalesSummary", "&Sales Summary"},
           {"ProductSummary", "&Product Summary"},
           {"ProductBuyers", "Product &Buyers"},
           {nullptr},
           {"IncomeSummary", "&Income Summary"},
           {"ReceivableIncome", "&Receivable Income"},
           {nullptr},
           {"TaxSummary", "&Tax Summary"},
       }},
      {"BtnRLabels",
       "PopupMenu4",
       {
           {"LabelsCustomers", "&Selected Customers"},
           {"LabelsInvoicesDated", "&Invoices Dated"},
           {"LabelsPastDue", "&Past Due Billing"},
           {"LabelsBalanceDue", "&Balance Due Statement"},
           {"LabelsGroups", "&Customer Group(s)"},
       }},
      {"BtnInvRpts",
       "PopupMenu5",
       {
           {"Inventory1", "&Inventory"},
           {"CostOfGoodsSold", "&Cost of Goods Sold"},
           {"StockOnHand", "&Stock On-Hand"},
       }},
  };
  return kMenus;
}

namespace {

void addItems(QMenu* menu, const std::vector<MenuItemDef>& items) {
  for (const MenuItemDef& item : items) {
    if (!item.name) {
      menu->addSeparator();
    } else if (!item.items.empty()) {
      QMenu* sub = menu->addMenu(QString::fromUtf8(item.text));
      sub->setObjectName(item.name);
      addItems(sub, item.items);
    } else {
      QAction* action = menu->addAction(QString::fromUtf8(item.text));
      action->setObjectName(item.name);
      action->setEnabled(false);
    }
  }
}

}  // namespace

QMenu* BuildPopup(const PopupDef& def, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(def.name);
  addItems(menu, def.items);
  return menu;
}

void OpenPopup(QMenu* menu, QWidget* button) {
  const QPoint mouse = QCursor::pos();
  const bool underMouse = button->rect().contains(button->mapFromGlobal(mouse));
  menu->popup(underMouse ? mouse : button->mapToGlobal(QPoint(0, button->height())));
}

}  // namespace vt::shell
