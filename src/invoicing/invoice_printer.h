// Printing the invoice on screen: the invoice editor hands the invoice in
// the session's buffer and views to whoever prints documents.
#pragma once

namespace vt::invoicing {

class InvoicePrinter {
 public:
  virtual ~InvoicePrinter() = default;
  // Builds the invoice's document from the invoice buffer and views as they
  // stand (a new invoice with its provisional number) and shows it in the
  // report window; stores nothing.
  virtual void PrintInvoice() = 0;
};

}  // namespace vt::invoicing
