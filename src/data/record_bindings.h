// The field lists of the record buffers and of the settings variables: which
// field of which table fills which member, and how.
#pragma once

#include <vector>

#include "data/field_binding.h"
#include "data/records.h"
#include "data/settings_record.h"

namespace vt::data {

const std::vector<binding::Binding<CustomerRecord>>& CustomerBindings();
const std::vector<binding::Binding<GroupRecord>>& GroupBindings();
const std::vector<binding::Binding<InvoiceRecord>>& InvoiceBindings();
const std::vector<binding::Binding<ItemRecord>>& ItemBindings();
const std::vector<binding::Binding<LabelRecord>>& LabelBindings();
const std::vector<binding::Binding<PaymentRecord>>& PaymentBindings();
const std::vector<binding::Binding<ProductRecord>>& ProductBindings();
const std::vector<binding::Binding<PurchaseRecord>>& PurchaseBindings();
const std::vector<binding::Binding<Settings>>& SettingsBindings();

}  // namespace vt::data
