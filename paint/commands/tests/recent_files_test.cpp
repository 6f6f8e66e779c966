#include <QDomDocument>

#include "paint/commands/recently_used.h"
#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

// File > Open Recent as the menu is about to show it.
QMenu* OpenRecent(Form1& form) {
  QMenu* file = form.MenuBar()->actions().front()->menu();
  emit file->aboutToShow();
  for (QAction* item : file->actions())
    if (item->menu() && item->text() == QStringLiteral("Open &Recent")) return item->menu();
  return nullptr;
}

TEST_F(PaintTest, OpenRecentListsTheLastTenNewestFirstAndDropsWhatIsGone) {
  ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkpath("one") && QDir(dir.path()).mkpath("two"));
  const auto file = [&](const QString& name) {
    const QString path = dir.filePath(name);
    if (!QFileInfo::exists(path)) Photo(4, 3).save(path);
    return path;
  };
  const auto open = [&](const char* names) {
    for (const QString& name : QString::fromLatin1(names).split(u' '))
      ASSERT_TRUE(sketchly->OpenAtStart(file(name)));
  };
  const auto choose = [&](int item) { OpenRecent(*form)->actions()[item]->trigger(); };
  // Two of one name show their folders.
  const QString one = QStringLiteral("x&&y.png (%1)").arg(dir.filePath("one"));
  const QString two = QStringLiteral("x&&y.png (%1)").arg(dir.filePath("two"));
  const struct {
    const char* name;
    std::function<void()> act;
    QStringList shown;
  } rows[] = {
      {"none yet", [] {}, {}},
      {"newest first", [&] { open("a.png b.png c.png"); }, {"c.png", "b.png", "a.png"}},
      {"opened again, to the top", [&] { open("a.png"); }, {"a.png", "c.png", "b.png"}},
      {"one name in two folders",
       [&] { open("one/x&y.png two/x&y.png"); },
       {two, one, "a.png", "c.png", "b.png"}},
      {"saved under a new name",
       [&] {
         fileAnswer = file("saved.png").toStdString();
         sketchly->File().SaveAs();
       },
       {"saved.png", two, one, "a.png", "c.png", "b.png"}},
      {"ten at most",
       [&] { open("0.png 1.png 2.png 3.png 4.png 5.png"); },
       {"5.png", "4.png", "3.png", "2.png", "1.png", "0.png", "saved.png", two, one, "a.png"}},
      {"gone when chosen, then another chosen",
       [&] {
         QFile::remove(file("4.png"));
         choose(1);
         EXPECT_EQ(boxes.size(), 1U);
         EXPECT_EQ(sketchly->Doc().File(), file("5.png")) << "the drawing stays";
         choose(1);
       },
       {"3.png", "5.png", "2.png", "1.png", "0.png", "saved.png", two, one, "a.png"}},
      {"cleared", [&] { OpenRecent(*form)->actions().back()->trigger(); }, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.act();
    QStringList expected;
    for (qsizetype i = 0; i < row.shown.size(); ++i)
      expected << QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(row.shown[i]);
    expected << QString() << QStringLiteral("&Clear List");
    QStringList items;
    for (QAction* action : OpenRecent(*form)->actions()) items << action->text();
    EXPECT_EQ(items.join(u'|').toStdString(), expected.join(u'|').toStdString());
    // Remembered for the next run: a new window finds the same list.
    Form1 next;
    Attach(next);
    EXPECT_EQ(OpenRecent(next)->actions().size(), items.size());
    EXPECT_EQ(OpenRecent(next)->menuAction()->isEnabled(), !row.shown.isEmpty());
  }
}

// The count of uses an application made of a file in a list, -1 for none.
int Uses(const QDomDocument& list, const QString& href, const QString& application) {
  const QDomNodeList uses = list.elementsByTagName(QStringLiteral("bookmark:application"));
  for (int i = 0; i < uses.size(); ++i) {
    const QDomElement use = uses.at(i).toElement();
    if (use.attribute("name") == application &&
        use.parentNode().parentNode().parentNode().parentNode().toElement().attribute("href") ==
            href)
      return use.attribute("count").toInt();
  }
  return -1;
}

TEST(RecentlyUsedTest, TheDesktopsListGainsTheFileAndKeepsWhatOthersWrote) {
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  const QString list = data.filePath("recently-used.xbel");
  const QString ours = QStringLiteral("file://%1/a%20photo.png").arg(data.path());
  const QString head = QStringLiteral(
      "<?xml version=\"1.0\"?><xbel version=\"1.0\" "
      "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\">");
  const QString used = QStringLiteral(
      "<bookmark href=\"%1\"><info><metadata owner=\"http://freedesktop.org\"><bookmark:"
      "applications><bookmark:application name=\"%2\" exec=\"x\" count=\"%3\"/></bookmark:"
      "applications></metadata></info></bookmark>");
  const QString notes = used.arg("file:///notes.txt", "gedit").arg(4);
  const struct {
    const char* name;
    std::optional<QString> before;
    int ours, gedit, bookmarks;  // uses of our file by Sketchly and by gedit, -1 for none
  } rows[] = {
      {"no list yet", std::nullopt, 1, -1, 1},
      {"another file's entry kept", head + notes + "</xbel>", 1, -1, 2},
      {"another program's use kept", head + used.arg(ours, "gedit").arg(3) + "</xbel>", 1, 3, 1},
      {"counted again", head + notes + used.arg(ours, "Sketchly").arg(2) + "</xbel>", 3, -1, 2},
      {"malformed, left as it was", head + "<bookmark href=", 0, 0, 0},
      {"not such a list, left as it was", QStringLiteral("<html/>"), 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QFile file(list);
    file.remove();
    if (row.before) {
      ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(row.before->toUtf8()));
    }
    file.close();
    EXPECT_EQ(AddRecentlyUsed(data.filePath("a photo.png")), row.bookmarks > 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    if (row.bookmarks == 0) {
      EXPECT_EQ(after, row.before->toUtf8());
      continue;
    }
    QDomDocument written;
    ASSERT_TRUE(written.setContent(after));
    EXPECT_EQ(Uses(written, ours, "Sketchly"), row.ours);
    EXPECT_EQ(Uses(written, ours, "gedit"), row.gedit);
    EXPECT_EQ(written.elementsByTagName("bookmark").size(), row.bookmarks);
    EXPECT_EQ(Uses(written, "file:///notes.txt", "gedit"), row.bookmarks == 2 ? 4 : -1);
  }
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace paint
