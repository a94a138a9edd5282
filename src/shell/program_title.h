// The program's name and version as the windows show them.
#pragma once

#include <QString>

namespace vt::shell {

inline const QString kProgramTitle = QStringLiteral("Vantrell & Inventory");
inline const QString kProgramVersion = QStringLiteral("1.03");
// The About box's caption.
inline const QString kAboutCaption = QStringLiteral("About Vantrell & Inventory 1.03");
// The main window's caption before start-up names the data directory.
inline const QString kDesignCaption = QStringLiteral("Vantrell");
// The start of the main window's caption once start-up has run.
inline const QString kCaptionPrefix = QStringLiteral("Vantrell & Inventory 1.03 - ");

}  // namespace vt::shell
