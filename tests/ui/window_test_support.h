// What the window tests share: a locale set for one test, and a shown,
// active window so that focus moves as it does for a user.
#pragma once

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <QWidget>
#include <ostream>

// Texts shown readably in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace vt::ui::testing {

// Makes `name` the default locale until the end of the scope.
class LocaleScope {
 public:
  explicit LocaleScope(const char* name) : saved_(QLocale()) {
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
  }
  ~LocaleScope() { QLocale::setDefault(saved_); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

 private:
  QLocale saved_;
};

inline bool showActive(QWidget* window) {
  window->show();
  QApplication::setActiveWindow(window);
  return QTest::qWaitForWindowActive(window);
}

}  // namespace vt::ui::testing
