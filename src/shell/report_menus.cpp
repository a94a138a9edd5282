#include "shell/report_menus.h"

#include <QCursor>
#include <QMenu>

namespace vt::shell {

const std::vector<PopupDef>& ReportMenus() {
  static const std::vector<PopupDef> kMenus = {
      {"statementsButton",
       "statementsMenu",
       {
           {"invoicesSubmenu",
            "&Invoices",
            {{"invoicesByDate", "Selected &Date(s)"}, {"invoicesSelected", "Selected &Invoices"}}},
           {"billsSubmenu",
            "&Bills",
            {{"billsWithBalance", "&With Balances Due"}, {"billsSelected", "Selected &Bills"}}},
           {"statementsSubmenu",
            "&Statements",
            {{"statementsWithBalance", "With &Balances"},
             {"statementsSelected", "Selected &Customers"}}},
           {nullptr},
           {"sentMail", "Sent &Mail"},
       }},
      {"profileButton",
       "profileMenu",
       {{"profileCustomers", "Selected &Customers"}, {"profileGroups", "Selected &Groups"}}},
      {"salesReportsButton",
       "salesReportsMenu",
       {
           {"salesSummary", "&Sales Summary"},
           {"productSummary", "&Product Summary"},
           {"productBuyers", "Product &Buyers"},
           {nullptr},
           {"incomeSummary", "&Income Summary"},
           {"receivableIncome", "&Receivable Income"},
           {"receivablesAging", "Receivables &Aging\u2026"},
           {"salesChart", "Sales &Chart\u2026"},
           {nullptr},
           {"taxSummary", "&Tax Summary"},
       }},
      {"addressLabelsButton",
       "addressLabelsMenu",
       {
           {"labelsCustomers", "&Selected Customers"},
           {"labelsInvoicesDated", "&Invoices Dated"},
           {"labelsPastDue", "&Past Due Billing"},
           {"labelsBalanceDue", "&Balance Due Statement"},
           {"labelsGroups", "&Customer Group(s)"},
       }},
      {"inventoryReportsButton",
       "inventoryReportsMenu",
       {
           {"inventoryReport", "&Inventory"},
           {"costOfGoodsSold", "&Cost of Goods Sold"},
           {"stockOnHand", "&Stock On-Hand"},
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
