// The help window: a non-modal window browsing the help topics compiled into
// the program (qrc:/help/<context>.html and qrc:/help/contents.html), with
// links between topics, Back and Contents. It stays readable and closable
// while a modal window is up: it is then shown as that window's own child
// window, which the modal window does not block, and goes back to its owner
// when the modal window closes.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace vt::ui {

class HelpViewer {
 public:
  static constexpr const char* kTitle = "Vantrell & Inventory Help";

  explicit HelpViewer(QWidget* parent);
  // Topics read from `base` ("qrc:/help/" for the program's own).
  HelpViewer(QWidget* parent, const QUrl& base);
  ~HelpViewer();
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  // Shows the window at the topic of a help context; an unknown context
  // shows the contents.
  void showContext(int context);
  void showContents();
  // The topic shown: "10", "300", "contents", ... (the page's name).
  QString currentTopic() const;
  QWidget* window() const { return window_; }

 private:
  // Watches the modal window the help is shown above, to leave it when it
  // closes.
  class ModalHostWatch : public QObject {
   public:
    explicit ModalHostWatch(HelpViewer& help) : help_(help) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    HelpViewer& help_;
  };

  void build(QWidget* parent);
  void showTopic(const QString& name);
  bool topicExists(const QString& name) const;
  QUrl topicUrl(const QString& name) const;
  void backClicked();
  void contentsClicked();
  // The window the help belongs to now: the active modal window, or the
  // owner given at construction when none is up.
  QWidget* host(const QWidget* leaving = nullptr) const;
  // Makes the help window a child window of `host`, keeping its place and
  // whether it is shown.
  void moveTo(QWidget* host);
  void modalHostHidden(QWidget* host);

  QUrl base_;
  QPointer<QWidget> owner_;
  QPointer<QWidget> window_;  // owned; its parent may delete it first
  QTextBrowser* topicBrowser_ = nullptr;
  QPushButton* backButton_ = nullptr;
  QPushButton* contentsButton_ = nullptr;
  ModalHostWatch hostWatch_{*this};
};

}  // namespace vt::ui
