#include <QDomDocument>

#include "paint/commands/recently_used.h"
#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

QMenu* OpenRecent(Form1& form) {
  for (QAction* menu : form.MenuBar()->actions())
    for (QAction* item : menu->menu()->actions())
      if (item->menu() && item->text() == QStringLiteral("Open &Recent")) {
        emit menu->menu()->aboutToShow();
        return item->menu();
      }
  return nullptr;
}

TEST_F(PaintTest, OpenRecentListsTheLastTenNewestFirstAndDropsWhatIsGone) {
  ASSERT_TRUE(dir.isValid());
  QDir(dir.path()).mkpath(QStringLiteral("one"));
  QDir(dir.path()).mkpath(QStringLiteral("two"));
  const auto file = [&](const QString& name) {
    const QString path = dir.filePath(name);
    if (!QFileInfo::exists(path)) Photo(4, 3).save(path);
    return path;
  };
  const auto open = [&](const QString& name) { ASSERT_TRUE(sketchly->OpenAtStart(file(name))); };
  const auto items = [&] {
    QStringList texts;
    for (QAction* action : OpenRecent(*form)->actions()) texts << action->text();
    return texts.join(u'|');
  };
  const QString one = QDir::toNativeSeparators(dir.filePath(QStringLiteral("one")));
  const QString two = QDir::toNativeSeparators(dir.filePath(QStringLiteral("two")));
  const struct {
    const char* name;
    std::function<void()> act;
    QString items;
  } rows[] = {
      {"none yet", [] {}, QStringLiteral("|&Clear List")},
      {"newest first",
       [&] {
         for (const char* name : {"a.png", "b.png", "c.png"}) open(QString::fromLatin1(name));
       },
       QStringLiteral("&1 c.png|&2 b.png|&3 a.png||&Clear List")},
      {"opened again, to the top", [&] { open(QStringLiteral("a.png")); },
       QStringLiteral("&1 a.png|&2 c.png|&3 b.png||&Clear List")},
      {"one name in two folders",
       [&] {
         open(QStringLiteral("one/x&y.png"));
         open(QStringLiteral("two/x&y.png"));
       },
       QStringLiteral("&1 x&&y.png (%1)|&2 x&&y.png (%2)|&3 a.png|&4 c.png|&5 b.png||&Clear List")
           .arg(two, one)},
      {"saved under a new name",
       [&] {
         fileAnswer = dir.filePath(QStringLiteral("saved.png")).toStdString();
         sketchly->File().SaveAs();
       },
       QStringLiteral("&1 saved.png|&2 x&&y.png (%1)|&3 x&&y.png (%2)|&4 a.png|&5 c.png|&6 "
                      "b.png||&Clear List")
           .arg(two, one)},
      {"ten at most",
       [&] {
         for (int i = 0; i < 9; ++i) open(QStringLiteral("%1.png").arg(i));
       },
       QStringLiteral("&1 8.png|&2 7.png|&3 6.png|&4 5.png|&5 4.png|&6 3.png|&7 2.png|&8 1.png|&9 "
                      "0.png|&0 saved.png||&Clear List")},
      {"gone when chosen",
       [&] {
         QFile::remove(file(QStringLiteral("7.png")));
         OpenRecent(*form)->actions()[1]->trigger();
         EXPECT_EQ(boxes.size(), 1U);
         EXPECT_EQ(sketchly->Doc().File(), file(QStringLiteral("8.png")));
         OpenRecent(*form)->actions()[1]->trigger();
         EXPECT_EQ(sketchly->Doc().File(), file(QStringLiteral("6.png")));
       },
       QStringLiteral("&1 6.png|&2 8.png|&3 5.png|&4 4.png|&5 3.png|&6 2.png|&7 1.png|&8 "
                      "0.png|&9 saved.png||&Clear List")},
      {"cleared", [&] { OpenRecent(*form)->actions().back()->trigger(); },
       QStringLiteral("|&Clear List")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.act();
    EXPECT_EQ(items().toStdString(), row.items.toStdString());
    // Remembered for the next run: a new window finds the same list.
    Form1 next;
    Attach(next);
    EXPECT_EQ(OpenRecent(next)->actions().size(), OpenRecent(*form)->actions().size());
    EXPECT_EQ(OpenRecent(next)->menuAction()->isEnabled(), !row.items.startsWith(u'|'));
  }
}

// The count of uses an application has of a file in a list, -1 for none;
// and how many bookmarks the list holds.
int Uses(const QDomDocument& list, const QString& href, const QString& application) {
  for (QDomElement b = list.documentElement().firstChildElement(QStringLiteral("bookmark"));
       !b.isNull(); b = b.nextSiblingElement(QStringLiteral("bookmark"))) {
    if (b.attribute(QStringLiteral("href")) != href) continue;
    const QDomNodeList apps = b.elementsByTagName(QStringLiteral("bookmark:application"));
    for (int i = 0; i < apps.size(); ++i)
      if (apps.at(i).toElement().attribute(QStringLiteral("name")) == application)
        return apps.at(i).toElement().attribute(QStringLiteral("count")).toInt();
  }
  return -1;
}

TEST(RecentlyUsedTest, TheDesktopsListGainsTheFileAndKeepsWhatOthersWrote) {
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  const QString list = data.filePath(QStringLiteral("recently-used.xbel"));
  const QString photo = data.filePath(QStringLiteral("photo one.png"));
  const QString href = QStringLiteral("file://") + data.path() + QStringLiteral("/photo%20one.png");
  const QString head = QStringLiteral(
      "<?xml version=\"1.0\"?><xbel version=\"1.0\" "
      "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\">");
  const QString other = QStringLiteral(
      "<bookmark href=\"file:///notes.txt\"><info><metadata owner=\"http://freedesktop.org\">"
      "<bookmark:applications><bookmark:application name=\"gedit\" exec=\"'gedit %u'\" "
      "count=\"4\"/></bookmark:applications></metadata></info></bookmark>");
  const QString viewed = QStringLiteral(
      "<bookmark href=\"%1\"><info><metadata owner=\"http://freedesktop.org\">"
      "<bookmark:applications><bookmark:application name=\"%2\" exec=\"x\" count=\"%3\"/>"
      "</bookmark:applications></metadata></info></bookmark>");
  const struct {
    const char* name;
    std::optional<QString> before;
    bool written;
    int ours, others, bookmarks;  // uses by Sketchly and by the other program
  } rows[] = {
      {"no list yet", std::nullopt, true, 1, -1, 1},
      {"another file's entry kept", head + other + QStringLiteral("</xbel>"), true, 1, 4, 2},
      {"another program's use of the file kept",
       head + viewed.arg(href, QStringLiteral("gedit")).arg(3) + QStringLiteral("</xbel>"), true, 1,
       3, 1},
      {"counted again",
       head + other + viewed.arg(href, QStringLiteral("Sketchly")).arg(2) +
           QStringLiteral("</xbel>"),
       true, 3, 4, 2},
      {"malformed, left as it was", head + QStringLiteral("<bookmark href="), false, 0, 0, 0},
      {"not such a list, left as it was", QStringLiteral("<html/>"), false, 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QFile::remove(list);
    if (row.before) {
      QFile file(list);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(row.before->toUtf8());
    }
    EXPECT_EQ(AddRecentlyUsed(photo), row.written);
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    if (!row.written) {
      EXPECT_EQ(after, row.before->toUtf8());
      continue;
    }
    QDomDocument written;
    ASSERT_TRUE(written.setContent(after));
    EXPECT_EQ(Uses(written, href, QStringLiteral("Sketchly")), row.ours);
    EXPECT_EQ(std::max(Uses(written, href, QStringLiteral("gedit")),
                       Uses(written, QStringLiteral("file:///notes.txt"), QStringLiteral("gedit"))),
              row.others);
    EXPECT_EQ(written.elementsByTagName(QStringLiteral("bookmark")).size(), row.bookmarks);
  }
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace paint
