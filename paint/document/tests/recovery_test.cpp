#include <QSysInfo>
#include <limits>

#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, AnUnsavedDrawingIsKeptAsideAndOfferedBackOnceItsProgramIsGone) {
  ASSERT_TRUE(dir.isValid());
  qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toUtf8());
  Recovery& recovery = AttachRecovery(*form, sketchly->Doc());
  const QString saved = QString::fromStdString(Path("kept.png"));
  fileAnswer = saved.toStdString();
  sketchly->File().Save();  // a drawing with a file, which the copy names
  recovery.WriteNow();
  EXPECT_FALSE(QFile::exists(recovery.CopyPath())) << "nothing unsaved, no copy";
  Swatch(kRedSwatch);
  Drag(kBrush, {60, 40}, {90, 70});
  recovery.WriteNow();
  ASSERT_TRUE(QFile::exists(recovery.CopyPath()));
  const QImage drawn = Drawing();

  // A second program while this one runs finds no copy to take.
  const auto start = [this] {
    auto other = std::make_unique<Form1>();
    common::SetDialogs(*other, answers);
    Sketchly& document = Attach(*other);
    Recovery& offered = AttachRecovery(*other, document.Doc());
    other->Start();
    boxes.clear();
    const bool taken = offered.OfferLeftDrawing();
    return std::tuple(std::move(other), &document, taken);
  };
  EXPECT_FALSE(std::get<2>(start()));
  EXPECT_TRUE(boxes.empty());

  // Once the program is gone without closing, its copy no longer has a live
  // lock: the next start offers it, pixel for pixel, under its file's name.
  const QString orphan = QFileInfo(recovery.CopyPath()).dir().filePath("gone.recovery");
  // The lock of a program that ended without leaving a copy goes at the next
  // start; a running program's stays.
  const QString deadLock = QFileInfo(recovery.CopyPath()).dir().filePath("dead.lock");
  QFile dead(deadLock);
  ASSERT_TRUE(dead.open(QIODevice::WriteOnly));
  dead.write(QByteArray::number(std::numeric_limits<int32_t>::max() - 1) + "\npaint\n" +
             QSysInfo::machineHostName().toUtf8() + '\n');
  dead.close();
  QFile cut(orphan);  // a copy cut short by the crash itself: dropped unasked
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write("SKRC") == 4);
  cut.close();
  EXPECT_FALSE(std::get<2>(start()));
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(QFile::exists(orphan));
  EXPECT_FALSE(QFile::exists(deadLock));
  EXPECT_TRUE(QFile::exists(recovery.CopyPath().replace(".recovery", ".lock")));
  ASSERT_TRUE(QFile::copy(recovery.CopyPath(), orphan));
  boxAnswer = common::kDiscardAnswer;  // asked, and gone
  EXPECT_FALSE(std::get<2>(start()));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(QFile::exists(orphan));
  ASSERT_TRUE(QFile::copy(recovery.CopyPath(), orphan));
  boxAnswer = common::kRecoverAnswer;
  auto [other, document, taken] = start();
  EXPECT_TRUE(taken);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].prompt.find("Recover the unsaved changes to \"kept.png\""), std::string::npos)
      << boxes[0].prompt;
  EXPECT_EQ(boxes[0].buttons & 15, common::kRecoverDiscard);
  EXPECT_EQ(other->GetPicture("Picture1").Region(QRect(QPoint(), drawn.size())), drawn);
  EXPECT_EQ(document->Doc().File(), saved);
  EXPECT_TRUE(document->Doc().IsModified());
  EXPECT_FALSE(QFile::exists(orphan)) << "taken, and so never offered twice";
  EXPECT_FALSE(std::get<2>(start())) << "the taker's own copy, locked while it runs";

  // Saved, the copy goes.
  sketchly->File().Save();
  EXPECT_FALSE(QFile::exists(recovery.CopyPath()));
  qunsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace paint
