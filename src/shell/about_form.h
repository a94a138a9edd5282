// The About box (TAboutForm): a white window of 400 by 241 pixels holding
// one picture and an OK button. At start-up it is the splash, shown without
// its OK button while the start-up flag is set; from the Help menu it is a
// modal box closed with OK.
#pragma once

#include <QDialog>

class QPushButton;

namespace vt::shell {

class AppState;

// The picture filling the About box: the drawing with the program's name
// and version over it.
class AboutPicture : public QWidget {
  Q_OBJECT

 public:
  explicit AboutPicture(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 241;

  TAboutForm(const AppState& state, QWidget* parent);

  QPushButton* okButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  const AppState& state_;
};

}  // namespace vt::shell
