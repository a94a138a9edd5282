// The report font between its three forms: the QFont the reports draw with,
// the FontSpec the font dialog works on, and the name and size the settings
// record keeps.
#pragma once

#include <QFont>
#include <QString>

#include "base/dialogs.h"
#include "data/settings_record.h"

namespace vt::ui {

base::FontSpec ToFontSpec(const QFont& font);
QFont FromFontSpec(const base::FontSpec& chosen);

// The design font with the stored name (when not blank) and size (when
// above 0) put over it.
QFont ReportFontFromSettings(const data::Settings& settings, const QFont& designFont);
// The font's name and size into FontName and FontSize.
void StoreReportFont(const QFont& font, data::Settings& settings);

// The font the main window was designed with: the application's font
// family at 8 points. The report font unless the settings name another.
QFont DesignReportFont();

// "name@size", as the Preferences page shows it.
QString FontText(const QFont& font);

}  // namespace vt::ui
