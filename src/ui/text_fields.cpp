#include "ui/text_fields.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

#include "ui/masked_edit.h"

namespace vt::ui {

namespace {

// Fields longer than this hold free text (a seek box, a path): their width
// follows the layout alone.
constexpr int kLongestFitted = 80;
// QLineEdit's own margins around its text, besides the frame.
constexpr int kTextMargins = 4;

bool isTextField(const QLineEdit* edit) {
  return qobject_cast<const MaskedEdit*>(edit) == nullptr;
}

class TextFields : public QObject {
 public:
  explicit TextFields(QWidget& window) : QObject(&window), window_(window) { fitAll(); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous()) fitAll();
    return false;
  }

 private:
  void fitAll() {
    for (QLineEdit* edit : window_.findChildren<QLineEdit*>()) {
      // The window's own fields, not those of the dialogs it owns.
      if (!isTextField(edit) || edit->window() != &window_) continue;
      if (edit->maxLength() <= kLongestFitted) {
        edit->setMinimumWidth(TextFieldWidth(*edit, edit->maxLength()));
      }
      // The field with the focus keeps what its focus gave it (all of the
      // text selected for typing over).
      if (!edit->hasFocus()) edit->setCursorPosition(0);
    }
  }

  QWidget& window_;
};

}  // namespace

QString WithoutTrailingBlanks(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
  return text.left(end);
}

int TextFieldWidth(const QLineEdit& edit, int characters) {
  const QFontMetrics metrics(edit.font());
  const QString capitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const int capitalsWidth = metrics.horizontalAdvance(capitals);
  const int textWidth =
      (characters * capitalsWidth + capitals.size() - 1) / capitals.size() + kTextMargins;
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.lineWidth =
      edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  const QSize text(textWidth, metrics.height());
  return edit.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &edit).width();
}

void FitTextFields(QWidget& window) {
  window.installEventFilter(new TextFields(window));
}

}  // namespace vt::ui
