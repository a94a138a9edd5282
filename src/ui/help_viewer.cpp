#include "ui/help_viewer.h"

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

HelpViewer::HelpViewer(QWidget* parent, const QUrl& base) : base_(base) {
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

  browser_ = new QTextBrowser(window_);
  browser_->setObjectName(QStringLiteral("Browser"));
  browser_->setAccessibleName(QStringLiteral("Help topic"));
  browser_->setOpenExternalLinks(true);
  back_ = new QPushButton(QStringLiteral("&Back"), window_);
  back_->setObjectName(QStringLiteral("BtnBack"));
  back_->setAccessibleName(QStringLiteral("Back"));
  back_->setEnabled(false);
  contents_ = new QPushButton(QStringLiteral("&Contents"), window_);
  contents_->setObjectName(QStringLiteral("BtnContents"));
  contents_->setAccessibleName(QStringLiteral("Contents"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents_);
  buttons->addWidget(back_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(window_);
  layout->addLayout(buttons);
  layout->addWidget(browser_);

  QObject::connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  QObject::connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  QObject::connect(contents_, &QPushButton::clicked, window_, [this] { showContents(); });
}

void HelpViewer::showContext(int context) {
  const QString name = QString::number(context);
  showTopic(topicExists(name) ? name : QString::fromLatin1(kContents));
}

void HelpViewer::showContents() {
  showTopic(QString::fromLatin1(kContents));
}

QString HelpViewer::currentTopic() const {
  return QFileInfo(browser_->source().path()).completeBaseName();
}

void HelpViewer::showTopic(const QString& name) {
  browser_->setSource(topicUrl(name));
  window_->show();
  window_->raise();
  window_->activateWindow();
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
