// The data session's texts in the system's locale: dates in the short date
// format for printed documents, payment dates in the invoice views in the
// numeric form the date entry reads back, and amounts with the system's
// decimal separator, as the windows and printed documents show them.
#pragma once

#include "data/data_session.h"

namespace vt::ui {

data::SessionOptions LocaleSessionOptions();

}  // namespace vt::ui
