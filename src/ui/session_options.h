// The data session's texts in the system's locale: payment dates in the
// short date format and amounts with the system's decimal separator, as the
// windows and printed documents show them.
#pragma once

#include "data/data_session.h"

namespace vt::ui {

data::SessionOptions LocaleSessionOptions();

}  // namespace vt::ui
