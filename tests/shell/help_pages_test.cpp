// The help topics compiled into the program: one per help context, each
// reachable from the contents.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "shell/main_pages.h"
#include "ui/help_viewer.h"

namespace vt::shell::testing {
namespace {

QString topic(const QString& name) {
  QFile file(":/help/" + name + ".html");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

class HelpPages : public ::testing::Test {
 protected:
  // Its making registers the help topics.
  ui::HelpViewer viewer{nullptr};
};

TEST_F(HelpPages, EveryContextHasATopicLinkedFromTheContents) {
  const QString contents = topic("contents");
  ASSERT_FALSE(contents.isEmpty());
  std::vector<int> contexts = {kMainHelpContext};
  for (const PageDef& page : MainPages()) contexts.push_back(page.helpContext);
  for (int context : contexts) {
    const QString name = QString::number(context);
    SCOPED_TRACE(name.toStdString());
    EXPECT_FALSE(topic(name).isEmpty());
    EXPECT_TRUE(contents.contains("href=\"" + name + ".html\""));
  }
}

TEST_F(HelpPages, EveryLinkLeadsToATopic) {
  const QRegularExpression link("href=\"([^\"]+)\\.html\"");
  for (const char* name : {"contents", "10", "300", "400", "500", "600", "700"}) {
    const QString text = topic(QString::fromLatin1(name));
    for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
      EXPECT_FALSE(topic(match.captured(1)).isEmpty())
          << name << " links to " << match.captured(1).toStdString();
    }
  }
}

TEST_F(HelpPages, EachPageTopicNamesEveryButtonOfItsPage) {
  for (const PageDef& page : MainPages()) {
    const QString text = topic(QString::number(page.helpContext)).replace("&amp;", "&");
    for (const ButtonDef& button : page.buttons) {
      EXPECT_TRUE(text.contains(button.caption)) << page.title << ": " << button.caption;
    }
  }
}

}  // namespace
}  // namespace vt::shell::testing
