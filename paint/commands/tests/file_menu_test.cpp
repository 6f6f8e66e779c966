#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, OpenRefusesWhatItCannotReadAndKeepsThePicture) {
  ASSERT_TRUE(dir.isValid());
  const QString notes = QString::fromStdString(Path("notes.png"));
  const QString pipe = QString::fromStdString(Path("pipe"));
  const QString cut = QString::fromStdString(Path("cut.png"));
  const QString big = QString::fromStdString(Path("big.png"));
  const QString wide = QString::fromStdString(Path("wide.png"));
  QFile text(notes);
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not an image");
  text.close();
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  const QString v3bmp = QString::fromStdString(Path("v3.bmp"));
  const QString heif = QString::fromStdString(Path("photo.heic"));
  // A 56-byte header with its colour masks, which Qt's reader declines.
  const char v3[] =
      "BM\x4a\0\0\0\0\0\0\0\x46\0\0\0\x38\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x20\0\x03\0\0\0"
      "\x04\0\0\0\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0\0\0\xff\0\0\xff\0\0\xff\0\0\0"
      "\0\0\0\xff\x99\x66\x33\xff";
  const char heic[] =
      "\0\0\0\x18"
      "ftypheic\0\0\0\0mif1heic";
  for (const auto& [path, bytes] : {std::pair{v3bmp, QByteArray(v3, sizeof v3 - 1)},
                                    std::pair{heif, QByteArray(heic, sizeof heic - 1)}}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QImage large(1000, 800, QImage::Format_RGB32);
  large.fill(Qt::green);
  ASSERT_TRUE(large.save(big));
  QImage overLimit(kMaxPictureSide + 1, 1, QImage::Format_RGB32);
  overLimit.fill(Qt::green);
  ASSERT_TRUE(overLimit.save(wide));
  QFile whole(big), half(cut);
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly) && half.open(QIODevice::WriteOnly));
  half.write(whole.readAll().left(60));  // not one row of data
  whole.close();
  half.close();
  const struct {
    QString path;
    const char* reason;
  } cases[] = {
      {dir.path(), "is a folder"},
      {pipe, "is not a regular file"},
      {notes, "is not an image file"},
      {QString::fromStdString(Path("missing.png")), "does not exist"},
      {cut, "damaged or cut short"},
      {wide, "too large"},
      {v3bmp, "uses a kind of BMP that this system cannot read"},
      {heif, "is a HEIF image, which this system cannot read"},
  };
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  const QImage drawn = Drawing();
  const size_t steps = sketchly->Doc().History().Steps();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    boxes.clear();
    EXPECT_FALSE(sketchly->OpenAtStart(c.path));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].prompt.find(c.path.toStdString()), std::string::npos);
    EXPECT_NE(boxes[0].prompt.find(c.reason), std::string::npos) << boxes[0].prompt;
    EXPECT_EQ(Drawing(), drawn);
    EXPECT_EQ(sketchly->Doc().History().Steps(), steps);
  }
  // The drawing has changes: opening asks first, and Cancel keeps them.
  boxes.clear();
  boxAnswer = common::kCancelAnswer;
  form->fileDropped(big);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Drawing(), drawn);
  boxAnswer = common::kDiscardAnswer;
  form->fileDropped(big);
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  EXPECT_EQ(sketchly->Doc().File(), big);
  EXPECT_FALSE(sketchly->Doc().IsModified());
}

TEST_F(PaintTest, ClosingAsksOnlyWhenTheDrawingIsUnsaved) {
  ASSERT_TRUE(dir.isValid());
  sketchly->File().Save();  // no file yet: asks for one, and a cancel saves nothing
  EXPECT_EQ(sketchly->Doc().File(), QString());
  EXPECT_TRUE(form->close()) << "a fresh drawing closes without a question";
  EXPECT_TRUE(boxes.empty());
  struct Case {
    int answer;
    std::optional<std::string> file;
    bool closes;
    const char* title;  // with no file it stays the caption, modified or not
  };
  const Case cases[] = {
      {common::kCancelAnswer, std::nullopt, false, "Sketchly"},
      {common::kSaveAnswer, std::nullopt, false, "Sketchly"},  // the file dialog cancelled
      {common::kSaveAnswer, Path("kept.png"), true, "kept.png – Sketchly"},
      {common::kDiscardAnswer, std::nullopt, true, "kept.png* – Sketchly"},
  };
  int x = 0;
  for (const Case& c : cases) {
    form->show();
    x += 20;
    Drag(kBrush, {x, 10}, {x, 10});
    boxes.clear();
    boxAnswer = c.answer;
    fileAnswer = c.file;
    EXPECT_EQ(form->close(), c.closes) << c.answer;
    ASSERT_EQ(boxes.size(), 1u) << c.answer;
    EXPECT_EQ(boxes[0].buttons & 15, common::kSaveDiscardCancel);
    EXPECT_EQ(form->windowHandle()->title(), QString::fromUtf8(c.title));
  }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("kept.png"))));
  form->show();
  boxes.clear();
  sketchly->Edit().Undo();  // back to the state that was saved
  EXPECT_FALSE(sketchly->Doc().IsModified());
  sketchly->Edit().Redo();
  EXPECT_TRUE(sketchly->Doc().IsModified());
}

TEST_F(PaintTest, NothingActsOnTheDocumentWhileWorkRunsAside) {
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);  // unsaved changes, which a slipped command would save or drop
  const QImage drawn = Drawing();
  const QString png = QString::fromStdString(Path("other.png"));
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(png));
  int dialogs = 0;
  answers->chooseFile = [&](const common::FileDialogRequest&) {
    ++dialogs;
    return std::optional<std::string>();
  };
  answers->messageBox = [this](const common::MessageBoxRequest& request) {
    boxes.push_back(request);
    return (request.buttons & 15) == common::kYesNo ? boxAnswer : common::kDiscardAnswer;
  };
  QAction* open = Command("&Open...");
  ASSERT_NE(open, nullptr);
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(png)});
  const struct {
    const char* name;
    std::function<void()> act;
    int answer;     // to "stop and close?"
    bool finishes;  // the work ends as it would have
    size_t asked;   // boxes shown
    bool closes;
  } rows[] = {
      {"Ctrl+S", [&] { QTest::keyClick(form->windowHandle(), Qt::Key_S, Qt::ControlModifier); },
       common::kNoAnswer, true, 0, false},
      {"a second Open", [&] { open->trigger(); }, common::kNoAnswer, true, 0, false},
      {"a dropped file",
       [&] {
         QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
         QApplication::sendEvent(form.get(), &drop);
       },
       common::kNoAnswer, true, 0, false},
      {"Escape cancels", [&] { QTest::keyClick(form->windowHandle(), Qt::Key_Escape); },
       common::kNoAnswer, false, 0, false},
      {"close, keep waiting", [&] { form->close(); }, common::kNoAnswer, true, 1, false},
      {"close, stop and close", [&] { form->close(); }, common::kYesAnswer, false, 1, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes.clear();
    dialogs = 0;
    boxAnswer = row.answer;
    auto release = std::make_shared<std::atomic<bool>>(false);
    QTimer::singleShot(20, form.get(), [&, release] {
      row.act();
      QTimer::singleShot(100, [release] { *release = true; });
    });
    EXPECT_EQ(common::RunAside(form.get(), QStringLiteral("Working..."),
                               [release] {
                                 while (!*release) std::this_thread::sleep_for(1ms);
                               }),
              row.finishes);
    while (!*release) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();  // whatever was queued meanwhile
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(boxes.size(), row.asked + (row.closes ? 1 : 0));  // then: unsaved changes?
    EXPECT_EQ(Drawing(), drawn);
    EXPECT_EQ(form->isVisible(), !row.closes);
  }
}

QByteArray Encoded(const QImage& image, const char* format, int quality = -1) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.write(image);
  return buffer.data();
}

// A still PNG made animated: an animation control chunk before its data
// says three frames (Qt reads the first only).
QByteArray Animated(const QByteArray& png) {
  const QByteArray chunk("acTL\0\0\0\x03\0\0\0\0", 12);
  quint32 crc = 0xffffffffU;
  for (const char byte : chunk) {
    crc ^= static_cast<unsigned char>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320U & (0U - (crc & 1U)));
  }
  crc = ~crc;
  const char length[] = {0, 0, 0, 8};
  const char sum[] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
  return png.left(33) + QByteArray(length, 4) + chunk + QByteArray(sum, 4) + png.mid(33);
}

// An uncompressed TGA with the version 2 footer Qt's reader looks for; Qt
// cannot write the format.
QByteArray Tga(const QImage& image) {
  QByteArray bytes(18, '\0');
  bytes[2] = 2;
  bytes[12] = char(image.width() & 255);
  bytes[13] = char(image.width() >> 8);
  bytes[14] = char(image.height() & 255);
  bytes[15] = char(image.height() >> 8);
  bytes[16] = 24;
  bytes[17] = 0x20;  // top row first
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      bytes.append(char(qBlue(pixel))).append(char(qGreen(pixel))).append(char(qRed(pixel)));
    }
  return bytes + QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
}

// A GIF, which Qt reads and cannot write: each pixel its nearest of 128
// colours, in 8-bit codes that a clear code keeps from widening.
QByteArray Gif(const QImage& image) {
  QByteArray bytes("GIF89a");
  const char screen[] = {char(image.width() & 255),
                         char(image.width() >> 8),
                         char(image.height() & 255),
                         char(image.height() >> 8),
                         char(0xF6),
                         0,
                         0};
  bytes.append(screen, sizeof screen);
  for (int i = 0; i < 128; ++i)  // 8 levels of red, 4 of green, 4 of blue
    bytes.append(char((i >> 4) * 36)).append(char(((i >> 2) & 3) * 85)).append(char((i & 3) * 85));
  const char descriptor[] = {0x2C,
                             0,
                             0,
                             0,
                             0,
                             char(image.width() & 255),
                             char(image.width() >> 8),
                             char(image.height() & 255),
                             char(image.height() >> 8),
                             0,
                             7};
  bytes.append(descriptor, sizeof descriptor);
  QByteArray codes;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if ((y * image.width() + x) % 100 == 0) codes.append(char(128));  // clear
      const QRgb p = image.pixel(x, y);
      codes.append(char((qRed(p) * 8 / 256) << 4 | (qGreen(p) / 64) << 2 | qBlue(p) / 64));
    }
  codes.append(char(129));  // end
  for (qsizetype at = 0; at < codes.size(); at += 255) {
    const QByteArray block = codes.mid(at, 255);
    bytes.append(char(block.size())).append(block);
  }
  return bytes.append('\0').append(';');
}

// Noise, which PNG compresses slowly.
QImage Noise(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  quint32 seed = 1;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = (seed = seed * 1664525U + 1013904223U) | 0xff000000U;
  }
  return image;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(PaintTest, SavingOverAFileKeepsWhatItHeldOrSaysFirstWhatWouldBeLost) {
  ASSERT_TRUE(dir.isValid());
  const QImage photo = Photo(96, 64);
  const struct {
    const char* name;
    QByteArray bytes;
    const char* opened;                            // the notice on opening, if any
    const char* question;                          // what Save asks first, if anything
    std::function<void(const QByteArray&)> check;  // the file saved
  } rows[] = {
      {"photo.jpg", Encoded(photo, "jpeg", 95), "", "",
       [](const QByteArray& saved) {
         EXPECT_NEAR(EstimateCompression(saved, "jpeg").quality, 95, 1) << "quality kept";
       }},
      {"cut.jpg", Encoded(Photo(300, 300), "jpeg", 90).left(1500),
       "is damaged: only part of the picture could be read",
       "Only part of it could be read: the rest would be lost.", nullptr},
      {"lossless.webp", Encoded(photo, "webp", 100), "", "",
       [](const QByteArray& saved) { EXPECT_EQ(saved.mid(12, 4), "VP8L") << "still lossless"; }},
      {"clear.tif", Encoded(Photo(96, 64, true), "tiff"), "", "",
       [](const QByteArray& saved) {
         EXPECT_EQ(qAlpha(QImage::fromData(saved).pixel(90, 60)), 128) << "transparency kept";
       }},
      {"moving.png", Animated(Encoded(photo, "png")), "",
       "Its animation would be lost: only the first of its 3 frames would be kept.", nullptr},
      {"old.tga", Tga(photo), "", "",
       [&](const QByteArray& saved) {
         EXPECT_EQ(QImage::fromData(saved, "tga").pixel(90, 60), photo.pixel(90, 60));
       }},
      {"still.gif", Gif(photo), "",
       "GIF pictures cannot be written. Save the picture as PNG instead?", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QString path = dir.filePath(QString::fromUtf8(row.name));
    {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(row.bytes);
    }
    boxes.clear();
    boxAnswer = common::kNoAnswer;
    ASSERT_TRUE(sketchly->OpenAtStart(path));
    EXPECT_EQ(boxes.empty() ? std::string() : boxes[0].prompt.substr(boxes[0].prompt.find(' ') + 1),
              *row.opened ? std::string(row.opened) + "." : std::string());
    Tool(kFilledBox);
    Click(10, 10);
    Click(20, 20);
    boxes.clear();
    sketchly->File().Save();
    if (*row.question) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].prompt.find(row.question), std::string::npos) << boxes[0].prompt;
      EXPECT_EQ(FileBytes(path), row.bytes) << "not saved without a yes";
      EXPECT_TRUE(sketchly->Doc().IsModified());
    } else {
      EXPECT_TRUE(boxes.empty()) << boxes[0].prompt;
      EXPECT_FALSE(sketchly->Doc().IsModified());
      row.check(FileBytes(path));
    }
  }
}

TEST_F(PaintTest, SaveAsWritesTheTypeChosenAndAsksTheQualityOnce) {
  ASSERT_TRUE(dir.isValid());
  const QString jpeg = dir.filePath(QStringLiteral("big.jpg"));
  ASSERT_TRUE(Photo(96, 64).save(jpeg, "jpeg", 80));
  ASSERT_TRUE(sketchly->OpenAtStart(jpeg));
  const struct {
    const char* name;    // typed in the dialog
    const char* filter;  // chosen there
    const char* saved;   // the file written
    const char* format;
    std::vector<int> asked;  // the quality the question started at
  } rows[] = {
      {"noext2", "JPEG image (*.jpg *.jpeg)", "noext2.jpg", "jpeg", {80}},
      {"copy.png", "JPEG image (*.jpg *.jpeg)", "copy.png", "png", {}},
      {"notes.gif", "BMP image (*.bmp)", "notes.gif.bmp", "bmp", {}},
      {"shot.webp", "PNG image (*.png)", "shot.webp", "webp", {kDefaultQuality}},
  };
  qualityAnswer = 70;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(sketchly->OpenAtStart(jpeg));
    fileRequests.clear();
    qualityAsked.clear();
    fileAnswer = dir.filePath(QString::fromUtf8(row.name)).toStdString();
    filterAnswer = row.filter;
    sketchly->File().SaveAs();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].filter, "JPEG image (*.jpg *.jpeg)") << "the open file's type";
    EXPECT_EQ(fileRequests[0].start, jpeg.toStdString());
    const QString saved = dir.filePath(QString::fromUtf8(row.saved));
    EXPECT_EQ(sketchly->Doc().File(), saved);
    EXPECT_EQ(QImageReader(saved).format(), row.format);
    EXPECT_EQ(qualityAsked, row.asked);
  }
  // Ctrl+S keeps the quality asked for, without asking again.
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  qualityAsked.clear();
  sketchly->File().Save();
  EXPECT_TRUE(qualityAsked.empty());
  EXPECT_NEAR(EstimateCompression(FileBytes(sketchly->Doc().File()), "webp").quality, 70, 5);
  // A new drawing is offered under a name in the user's language.
  sketchly->File().New();
  fileAnswer.reset();
  sketchly->File().SaveAs();
  EXPECT_EQ(fileRequests.back().start, "drawing.png");
}

TEST_F(PaintTest, AFailedOrCancelledSaveSaysWhyAndLeavesTheFileAsItWas) {
  ASSERT_TRUE(dir.isValid());
  const QString kept = dir.filePath(QStringLiteral("kept.png"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
  const QString locked = dir.filePath(QStringLiteral("locked"));
  // Root writes anywhere permissions say no; the process folder is closed
  // to everyone.
  const QString unwritable =
      geteuid() == 0 ? QStringLiteral("/proc/sketchly.png") : locked + QStringLiteral("/a.png");
  ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0555), 0);
  const QString pipe = dir.filePath(QStringLiteral("pipe.png"));
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const struct {
    const char* name;
    QString target;  // saved to with Save As, or empty: Save over kept.png
    std::function<void()> meanwhile;
    const char* said;
  } rows[] = {
      {"folder not writable", unwritable, nullptr, "cannot be written"},
      {"folder vanished", dir.filePath(QStringLiteral("gone/a.png")), nullptr, "does not exist"},
      {"a pipe", pipe, nullptr, "it is not a regular file"},
      {"changed by another program",
       {},
       [&] { ASSERT_TRUE(Photo(80, 48).save(kept)); },
       "was changed by another program since it was opened or saved here"},
      {"cancelled",
       {},
       [&] {
         QTimer::singleShot(30, [this] { QTest::keyClick(form->windowHandle(), Qt::Key_Escape); });
       },
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Photo(64, 48).save(kept));
    ASSERT_TRUE(sketchly->OpenAtStart(kept));
    if (!*row.said) Canvas().SetPicture(Noise(3000, 2000));  // writing outlasts the Escape
    Tool(kFilledBox);
    Click(10, 10);
    Click(20, 20);
    if (row.meanwhile) row.meanwhile();
    const QByteArray other = FileBytes(kept);
    boxes.clear();
    boxAnswer = common::kCancelAnswer;
    if (row.target.isEmpty()) {
      sketchly->File().Save();
    } else {
      fileAnswer = row.target.toStdString();
      sketchly->File().SaveAs();
    }
    while (common::AsideRunning()) QTest::qWait(10);
    EXPECT_TRUE(sketchly->Doc().IsModified());
    EXPECT_EQ(sketchly->Doc().File(), kept);
    EXPECT_EQ(FileBytes(kept), other) << "the file as it was";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2)
        << "kept.png and the pipe, no temporary file";
    if (*row.said) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].prompt.find(row.said), std::string::npos) << boxes[0].prompt;
    } else {
      EXPECT_TRUE(boxes.empty());
    }
  }
}

TEST_F(PaintTest, ANameThatIsNotUtf8OpensSavesAndDrops) {
  ASSERT_TRUE(dir.isValid());
  const QByteArray native = QFile::encodeName(dir.path()) + "/caf\xe9.png";  // Latin-1
  const QString path = common::FromNative(native);
  {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && Photo(64, 48).save(&buffer, "png"));
    FILE* file = std::fopen(native.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(buffer.data().constData(), 1, static_cast<size_t>(buffer.size()), file);
    std::fclose(file);
  }
  ASSERT_TRUE(sketchly->OpenAtStart(path));
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  const QImage drawn = Drawing();
  sketchly->File().Save();
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(sketchly->Doc().IsModified());
  EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral(".sketchly-*")}, QDir::Hidden).isEmpty())
      << "no stand-in left";
  sketchly->File().New();
  QMimeData dropped;
  dropped.setUrls(
      {QUrl(QStringLiteral("file://") + QString::fromLatin1(native.toPercentEncoding("/")))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(form.get(), &enter);
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(form.get(), &drop);
  QCoreApplication::processEvents();  // the drop opens once it is done
  EXPECT_EQ(sketchly->Doc().File(), path);
  EXPECT_EQ(Drawing(), drawn) << "what was saved comes back";
}

}  // namespace
}  // namespace paint
