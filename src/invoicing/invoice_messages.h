// The boxes with which storing or deleting an invoice stops, and the invoice
// window's own.
#pragma once

namespace vt::invoicing::messages {

constexpr const char* kHeaderFailed = "Unable to add invoice at this time. Please try again later";
constexpr const char* kItemsFailed =
    "Unable to add invoice Items at this time. Please try again later";
constexpr const char* kPaymentsFailed =
    "Unable to add Payments at this time. Please try again later";
constexpr const char* kNoteFailed =
    "Unable to store the customer's note at this time. Please try again later";
constexpr const char* kDeleteFailed =
    "Unable to delete the invoice at this time. Please try again later";

constexpr const char* kCustomerRequired = "Customer selection required before saving.";
constexpr const char* kAddAnother = "Add another invoice?";
constexpr const char* kNumbersUsedUp =
    "No invoice number is left: 999999 is the highest an invoice can have.";
constexpr const char* kDiscardChanges = "Discard the changes to this invoice?";

}  // namespace vt::invoicing::messages
