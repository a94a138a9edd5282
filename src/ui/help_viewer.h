// The help window: a non-modal window browsing the help topics compiled into
// the program (qrc:/help/<context>.html and qrc:/help/contents.html), with
// links between topics, Back and Contents.
#pragma once

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
  void build(QWidget* parent);
  void showTopic(const QString& name);
  bool topicExists(const QString& name) const;
  QUrl topicUrl(const QString& name) const;

  QUrl base_;
  QPointer<QWidget> window_;  // owned; its parent may delete it first
  QTextBrowser* browser_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* contents_ = nullptr;
};

}  // namespace vt::ui
