// The Load and Store routines of the record buffers and the settings.
#include "data/data_session.h"
#include "data/record_bindings.h"

namespace vt::data {

using binding::Context;
using binding::LoadMapped;
using binding::StoreMapped;

int DataSession::LoadCustomer() {
  return LoadMapped(engine_, mapped(TableId::Customers), CustomerBindings(), Customer, {now()});
}
int DataSession::StoreCustomer() {
  return StoreMapped(engine_, mapped(TableId::Customers), CustomerBindings(), Customer, {now()});
}

int DataSession::LoadGroup() {
  return LoadMapped(engine_, mapped(TableId::Groups), GroupBindings(), Group, {now()});
}
int DataSession::StoreGroup() {
  return StoreMapped(engine_, mapped(TableId::Groups), GroupBindings(), Group, {now()});
}

int DataSession::LoadInvoice() {
  return LoadMapped(engine_, mapped(TableId::Invoices), InvoiceBindings(), Invoice, {now()});
}
int DataSession::StoreInvoice() {
  return StoreMapped(engine_, mapped(TableId::Invoices), InvoiceBindings(), Invoice, {now()});
}

int DataSession::LoadItem() {
  return LoadMapped(engine_, mapped(TableId::Items), ItemBindings(), Item, {now()});
}
int DataSession::StoreItem() {
  return StoreMapped(engine_, mapped(TableId::Items), ItemBindings(), Item, {now()});
}

int DataSession::LoadLabel() {
  return LoadMapped(engine_, mapped(TableId::Labels), LabelBindings(), Label, {now()});
}
int DataSession::StoreLabel() {
  return StoreMapped(engine_, mapped(TableId::Labels), LabelBindings(), Label, {now()});
}

int DataSession::LoadPayment() {
  return LoadMapped(engine_, mapped(TableId::Payments), PaymentBindings(), Payment, {now()});
}
int DataSession::StorePayment() {
  return StoreMapped(engine_, mapped(TableId::Payments), PaymentBindings(), Payment, {now()});
}

int DataSession::LoadProduct() {
  return LoadMapped(engine_, mapped(TableId::Products), ProductBindings(), Product, {now()});
}
int DataSession::StoreProduct() {
  return StoreMapped(engine_, mapped(TableId::Products), ProductBindings(), Product, {now()});
}

int DataSession::LoadPurchase() {
  return LoadMapped(engine_, mapped(TableId::Purchases), PurchaseBindings(), Purchase, {now()});
}
int DataSession::StorePurchase() {
  return StoreMapped(engine_, mapped(TableId::Purchases), PurchaseBindings(), Purchase, {now()});
}

int DataSession::ReadSettings() {
  return LoadMapped(engine_, mapped(TableId::Settings), SettingsBindings(), settings, {now()});
}
int DataSession::WriteSettings() {
  return StoreMapped(engine_, mapped(TableId::Settings), SettingsBindings(), settings, {now()});
}

}  // namespace vt::data
