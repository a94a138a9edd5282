// The items of one invoice as the sales reports read them: straight from
// the items table in its invoice-number order, with their stored numbers.
#pragma once

#include <functional>

#include "data/data_session.h"

namespace vt::reports {

// Seeks the open items table on its invoice-number tag and gives `visit`
// every item of invoice `ivNo` in turn (loaded into the session's item
// buffer too). The first negative status of `visit` or the engine ends the
// walk and is returned; 0 otherwise.
int ForEachInvoiceItem(data::DataSession& session, int ivNo,
                       const std::function<int(const data::ItemRecord&)>& visit);

}  // namespace vt::reports
