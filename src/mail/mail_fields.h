// The fields a kind's subject and body may hold, filled in for one
// document: "{company}", "{customer}", "{number}", "{date}", "{total}",
// "{due}".
#pragma once

#include <string>

namespace vt::mail {

struct MailFields {
  std::string company;   // the business sending (the letterhead's first line)
  std::string customer;  // the customer's name
  std::string number;    // the invoice number, or the customer number of a statement
  std::string date;      // the document's date, as the documents print it
  std::string total;     // the invoice's total, or the statement's charges
  std::string due;       // the amount due
};

// `text` with every field named in braces replaced by its value; a brace
// that names no field stays as typed.
std::string FillFields(const std::string& text, const MailFields& fields);

}  // namespace vt::mail
