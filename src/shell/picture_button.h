// A button of the main window's pages: a picture with its short caption
// under it, which is also its accessible name, and its hint as tooltip and
// accessible description. It takes the focus by Tab or click, and Space,
// Enter or Return press it.
#pragma once

#include <QToolButton>

namespace vt::shell {

class PictureButton : public QToolButton {
  Q_OBJECT

 public:
  // `icon` is a resource path (":/icons/invoice.svg").
  PictureButton(const QString& objectName, const QString& icon, const QString& hint,
                const QString& caption, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void keepCaptionReadable();
};

}  // namespace vt::shell
