#include "shell/app_state.h"

#include <QApplication>
#include <QDate>

#include "base/convert.h"
#include "ui/locale_format.h"

namespace vt::shell {

namespace {

std::string shortDateText(const base::DateTime& value) {
  const QDate date(value.year, value.month, value.day);
  return date.toString(ui::shortDateFormat()).toStdString();
}

// The data layer's number text with the system's decimal separator.
std::string amountText(double value, int width, int decimals) {
  QString text = QString::fromStdString(base::FloatText(value, width, decimals));
  return text.replace(QLatin1Char('.'), ui::decimalSeparator()).toStdString();
}

}  // namespace

AppState::AppState(std::string directory, ui::UiContext uiContext, base::ProgramExit& programExit,
                   SplashClock& splashClock)
    : ui(uiContext),
      exit(programExit),
      clock(splashClock),
      ReportFont(DesignReportFont()),
      directory_(std::move(directory)) {}

AppState::~AppState() = default;

data::DataSession& AppState::createSession(base::Progress* progress) {
  data::SessionOptions options;
  options.progress = progress;
  options.shortDate = shortDateText;
  options.amountText = amountText;
  session_ = std::make_unique<data::DataSession>(directory_, ui.dialogs, exit, std::move(options));
  return *session_;
}

void AppState::releaseSession() {
  session_.reset();
}

QFont DesignReportFont() {
  return QFont(QApplication::font().family(), 8);
}

}  // namespace vt::shell
