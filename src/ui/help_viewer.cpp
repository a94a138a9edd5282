#include "ui/help_viewer.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#ifdef VT_HELP_RESOURCES
// The help topics sit in a static library: their resources are registered by
// name, or the linker would leave them out.
static void registerHelpResources() {
  Q_INIT_RESOURCE(help);
}
#endif

namespace vt::ui {

namespace {

constexpr const char* kContents = "contents";

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : HelpViewer(parent, QUrl(QStringLiteral("qrc:/help/"))) {
#ifdef VT_HELP_RESOURCES
  registerHelpResources();
#endif
}

HelpViewer::HelpViewer(QWidget* parent, const QUrl& base) : base_(base), owner_(parent) {
  build(parent);
}

HelpViewer::~HelpViewer() {
  delete window_;
}

void HelpViewer::build(QWidget* parent) {
  window_ = new QWidget(parent, Qt::Window);
  window_->setObjectName(QStringLiteral("THelp"));
  window_->setWindowTitle(QString::fromUtf8(kTitle));
  window_->setAccessibleName(QString::fromUtf8(kTitle));
  window_->resize(640, 480);

  topicBrowser_ = new QTextBrowser(window_);
  topicBrowser_->setObjectName(QStringLiteral("topicBrowser"));
  topicBrowser_->setAccessibleName(QStringLiteral("Help topic"));
  topicBrowser_->setOpenExternalLinks(true);
  backButton_ = new QPushButton(QStringLiteral("&Back"), window_);
  backButton_->setObjectName(QStringLiteral("backButton"));
  backButton_->setAccessibleName(QStringLiteral("Back"));
  backButton_->setEnabled(false);
  contentsButton_ = new QPushButton(QStringLiteral("&Contents"), window_);
  contentsButton_->setObjectName(QStringLiteral("contentsButton"));
  contentsButton_->setAccessibleName(QStringLiteral("Contents"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contentsButton_);
  buttons->addWidget(backButton_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(window_);
  layout->addLayout(buttons);
  layout->addWidget(topicBrowser_);

  QObject::connect(backButton_, &QPushButton::clicked, window_, [this] { backClicked(); });
  QObject::connect(topicBrowser_, &QTextBrowser::backwardAvailable, backButton_,
                   &QPushButton::setEnabled);
  QObject::connect(contentsButton_, &QPushButton::clicked, window_, [this] { contentsClicked(); });
}

void HelpViewer::backClicked() {
  topicBrowser_->backward();
}

void HelpViewer::contentsClicked() {
  showContents();
}

void HelpViewer::showContext(int context) {
  const QString name = QString::number(context);
  showTopic(topicExists(name) ? name : QString::fromLatin1(kContents));
}

void HelpViewer::showContents() {
  showTopic(QString::fromLatin1(kContents));
}

QString HelpViewer::currentTopic() const {
  return QFileInfo(topicBrowser_->source().path()).completeBaseName();
}

void HelpViewer::showTopic(const QString& name) {
  // Reparented before it is shown: a window is told whether a modal window
  // blocks it when it is shown.
  moveTo(host());
  topicBrowser_->setSource(topicUrl(name));
  window_->show();
  window_->raise();
  window_->activateWindow();
}

QWidget* HelpViewer::host(const QWidget* leaving) const {
  QWidget* modal = QApplication::activeModalWidget();
  return modal && modal != leaving && modal != window_ ? modal : owner_.data();
}

void HelpViewer::moveTo(QWidget* host) {
  QWidget* before = window_->parentWidget();
  if (before == host) return;
  if (before && before != owner_) before->removeEventFilter(&hostWatch_);
  const bool shown = window_->isVisible();
  const QRect place = window_->geometry();
  window_->setParent(host, window_->windowFlags());
  if (host && host != owner_) host->installEventFilter(&hostWatch_);
  if (shown) {
    window_->setGeometry(place);
    window_->show();
  }
}

// The modal window closes (or is destroyed): the help goes to the modal
// window still up, or back to its owner, before its host can take it along.
void HelpViewer::modalHostHidden(QWidget* host) {
  if (window_ && window_->parentWidget() == host) moveTo(this->host(host));
}

bool HelpViewer::ModalHostWatch::eventFilter(QObject* watched, QEvent* event) {
  // A window minimised by the window system is hidden spontaneously and
  // comes back; only a closing one lets the help go.
  if (event->type() == QEvent::Hide && !event->spontaneous() && watched->isWidgetType()) {
    help_.modalHostHidden(static_cast<QWidget*>(watched));
  }
  return false;
}

QUrl HelpViewer::topicUrl(const QString& name) const {
  return base_.resolved(QUrl(name + QStringLiteral(".html")));
}

bool HelpViewer::topicExists(const QString& name) const {
  const QUrl url = topicUrl(name);
  if (url.scheme() == QLatin1String("qrc")) return QFile::exists(QLatin1Char(':') + url.path());
  return url.isLocalFile() && QFile::exists(url.toLocalFile());
}

}  // namespace vt::ui
