#include <libheif/heif.h>
#include <exiv2/exiv2.hpp>

#include <QColorSpace>
#include <QLabel>

#include "paint/files/jxl.h"
#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

QByteArray Encoded(const QImage& image, const char* format, int quality = -1) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.write(image);
  return buffer.data();
}

// A camera's details: make, model, date taken, exposure, where, a thumbnail
// of other pixels, and the orientation given.
Exiv2::ExifData CameraExif(int orientation) {
  Exiv2::ExifData exif;
  exif["Exif.Image.Make"] = "Phone";
  exif["Exif.Image.Model"] = "Phone 12";
  exif["Exif.Image.Artist"] = "Ann Smith";
  exif["Exif.Image.Orientation"] = uint16_t(orientation);
  exif["Exif.Photo.DateTimeOriginal"] = "2024:05:01 10:20:30";
  exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 120);
  exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
  exif["Exif.GPSInfo.GPSLatitude"] = "48/1 51/1 24/1";
  const QByteArray thumb = Encoded(Photo(16, 16), "jpeg");
  Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(thumb.data()),
                                          thumb.size());
  return exif;
}

QByteArray Blob(const Exiv2::ExifData& exif) {
  Exiv2::Blob blob;
  Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
  return QByteArray(reinterpret_cast<const char*>(blob.data()), qsizetype(blob.size()));
}

// An encoded picture with a camera's details and a wide-colour profile.
QByteArray WithCamera(const QByteArray& encoded, int orientation) {
  auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(encoded.data()),
                                         encoded.size());
  image->setExifData(CameraExif(orientation));
  const QByteArray icc = QColorSpace(QColorSpace::DisplayP3).iccProfile();
  Exiv2::DataBuf profile(reinterpret_cast<const Exiv2::byte*>(icc.data()), icc.size());
  image->setIccProfile(profile);
  image->writeMetadata();
  Exiv2::BasicIo& io = image->io();
  io.open();
  const Exiv2::DataBuf all = io.read(io.size());
  return QByteArray(reinterpret_cast<const char*>(all.pData_), all.size_);
}

// A phone's JPEG: its pixels stored turned, as the orientation says to turn
// them back.
QByteArray PhoneJpeg(const QImage& upright) {
  return WithCamera(Encoded(upright.transformed(QTransform().rotate(-90)), "jpeg", 92), 6);
}

std::unique_ptr<Exiv2::Image> Details(const QByteArray& file) {
  auto image =
      Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(file.data()), file.size());
  image->readMetadata();
  return std::unique_ptr<Exiv2::Image>(image.release());
}

// A HEIC or AVIF as libheif writes it, turned by its orientation, with the
// camera's details.
QByteArray Heif(const QImage& picture, bool avif, heif_orientation turn, const QByteArray& exif) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_context_get_encoder_for_format(context, avif ? heif_compression_AV1 : heif_compression_HEVC,
                                      &encoder);
  heif_encoder_set_lossy_quality(encoder, 80);
  const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
  heif_image* image = nullptr;
  heif_image_create(rgba.width(), rgba.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                    &image);
  heif_image_add_plane(image, heif_channel_interleaved, rgba.width(), rgba.height(), 8);
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < rgba.height(); ++y)
    std::memcpy(plane + y * stride, rgba.constScanLine(y), size_t(rgba.width()) * 4);
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = turn;
  heif_image_handle* handle = nullptr;
  heif_context_encode_image(context, image, encoder, options, &handle);
  if (!exif.isEmpty())
    heif_context_add_exif_metadata(context, handle, exif.data(), int(exif.size()));
  QByteArray bytes;
  heif_writer writer{1, [](heif_context*, const void* data, size_t size, void* out) {
                       static_cast<QByteArray*>(out)->append(static_cast<const char*>(data),
                                                             qsizetype(size));
                       return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                     }};
  heif_context_write(context, &writer, &bytes);
  heif_image_handle_release(handle);
  heif_encoding_options_free(options);
  heif_image_release(image);
  heif_encoder_release(encoder);
  heif_context_free(context);
  return bytes;
}

QByteArray Jxl(const QImage& picture, int quality) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  Compression compression;
  compression.quality = quality;
  EXPECT_EQ(WriteJxl(buffer, picture, compression, {}), QString());
  return buffer.data();
}

// The HEIF with every item's data cut to nothing.
QByteArray EmptyItems(QByteArray heif) {
  const qsizetype box = heif.indexOf("iloc");
  const auto byte = [&](qsizetype at) { return int(uchar(heif[at])); };
  const int version = byte(box + 4);
  const int offsetSize = byte(box + 8) >> 4, lengthSize = byte(box + 8) & 15;
  const int baseSize = byte(box + 9) >> 4, indexSize = version ? byte(box + 9) & 15 : 0;
  const int items = byte(box + 10) << 8 | byte(box + 11);
  qsizetype at = box + 12;
  for (int i = 0; i < items; ++i) {
    at += 2 + (version ? 2 : 0) + 2 + baseSize;  // id, construction, reference, base
    const int extents = byte(at) << 8 | byte(at + 1);
    at += 2;
    for (int e = 0; e < extents; ++e, at += lengthSize) {
      at += indexSize + offsetSize;
      for (int b = 0; b < lengthSize; ++b) heif[at + b] = 0;
    }
  }
  return heif;
}

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
  // A HEIC cut short, one that declares a side of 100000 pixels, and one
  // whose items hold nothing.
  const QByteArray heifBytes = Heif(Photo(64, 48), false, heif_orientation_normal, {});
  QByteArray huge = heifBytes;
  const qsizetype size = huge.indexOf("ispe") + 8;
  huge.replace(size, 8, QByteArray("\0\x01\x86\xa0\0\x01\x86\xa0", 8));
  const QString cutHeif = dir.filePath(QStringLiteral("cut.heic"));
  const QString hugeHeif = dir.filePath(QStringLiteral("huge.heic"));
  const QString emptyHeif = dir.filePath(QStringLiteral("empty.avif"));
  for (const auto& [path, bytes] :
       {std::pair{v3bmp, QByteArray(v3, sizeof v3 - 1)},
        std::pair{heif, QByteArray(heic, sizeof heic - 1)},
        std::pair{cutHeif, heifBytes.left(heifBytes.size() / 2)}, std::pair{hugeHeif, huge},
        std::pair{emptyHeif, EmptyItems(heifBytes)}}) {
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
      {heif, "is damaged or cut short"},
      {cutHeif, "is damaged or cut short"},
      {hugeHeif, "is too large to open (100000 × 100000 pixels"},
      {emptyHeif, "is damaged or cut short"},
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
  QImage wide = photo;  // libexiv2 adds a profile to a WebP without one wrongly
  wide.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
  const auto LocationMark = [this] {
    const auto labels = form->StatusBar()->findChildren<QLabel*>();
    const auto at = std::find_if(labels.begin(), labels.end(), [](QLabel* label) {
      return label->text() == QStringLiteral("Location");
    });
    return at == labels.end() ? nullptr : *at;
  };
  // The details of a camera's file, written back as they fit the picture.
  const auto kept = [](const QByteArray& saved) {
    const auto file = Details(saved);
    Exiv2::ExifData& exif = file->exifData();
    EXPECT_EQ(exif["Exif.Photo.DateTimeOriginal"].toString(), "2024:05:01 10:20:30");
    EXPECT_EQ(exif["Exif.Image.Model"].toString(), "Phone 12");
    EXPECT_EQ(exif["Exif.Image.Orientation"].toLong(), 1) << "upright already";
    EXPECT_EQ(Exiv2::ExifThumbC(exif).copy().size_, 0) << "no stale thumbnail";
    EXPECT_EQ(exif["Exif.GPSInfo.GPSLatitude"].toString(), "48/1 51/1 24/1")
        << "Save keeps what the file had";
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(file->iccProfile()->pData_),
                         file->iccProfile()->size_),
              QColorSpace(QColorSpace::DisplayP3).iccProfile());
  };
  const struct {
    const char* name;
    QByteArray bytes;
    const char* opened;                            // the notice on opening, if any
    const char* question;                          // what Save asks first, if anything
    std::function<void(const QByteArray&)> check;  // the file saved
    bool upright = false;     // shown as the photo, turned or mirrored back as the file says
    const char* saveAs = "";  // saved under this name, the details' box left ticked
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
      {"phone.jpg", PhoneJpeg(photo), "", "",
       [&](const QByteArray& saved) {
         kept(saved);
         EXPECT_EQ(Details(saved)->exifData()["Exif.Photo.PixelXDimension"].toLong(), 96);
         EXPECT_EQ(QImage::fromData(saved).size(), QSize(96, 64)) << "not turned twice";
         EXPECT_TRUE(LocationMark()->isVisibleTo(form.get()));
       },
       true},
      {"camera.png", WithCamera(Encoded(photo, "png"), 1), "", "", kept},
      {"camera.webp", WithCamera(Encoded(wide, "webp", 100), 1), "", "", kept},
      {"camera.tif", WithCamera(Encoded(photo, "tiff"), 1), "", "", kept},
      {"shared.jpg", PhoneJpeg(photo), "", "",
       [&](const QByteArray& saved) {
         const auto file = Details(saved);
         Exiv2::ExifData& exif = file->exifData();
         EXPECT_EQ(exif["Exif.Photo.DateTimeOriginal"].toString(), "2024:05:01 10:20:30");
         EXPECT_EQ(exif.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude")), exif.end());
         EXPECT_EQ(exif.findKey(Exiv2::ExifKey("Exif.Image.Artist")), exif.end());
         EXPECT_FALSE(LocationMark()->isVisibleTo(form.get()));
       },
       true, "to share.jpg"},
      {"phone.heic",
       Heif(photo.transformed(QTransform().rotate(-90)), false, heif_orientation_rotate_90_cw,
            Blob(CameraExif(6))),
       "", "It would be compressed again at quality 90, which changes all of it.", nullptr, true},
      {"web.avif", Heif(photo.mirrored(true, false), true, heif_orientation_flip_horizontally, {}),
       "", "It would be compressed again at quality 90, which changes all of it.", nullptr, true},
      {"clear.jxl", Jxl(Photo(96, 64, true), 100), "", "",
       [&](const QByteArray& saved) {
         const ReadResult read = ReadImageData(saved);
         EXPECT_TRUE(read.source.compression.lossless);
         EXPECT_EQ(read.image.pixel(90, 60), Photo(96, 64, true).pixel(90, 60)) << "exact, clear";
       }},
      {"cut.jxl", Jxl(Noise(300, 300), 100).left(250000),
       "is damaged: only part of the picture could be read",
       "Only part of it could be read: the rest would be lost.", nullptr},
  };
  qualityAnswer = 90;
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
    if (row.upright) {
      ASSERT_EQ(Canvas().InnerRect().size(), photo.size());
      for (const QPoint at : {QPoint(90, 5), QPoint(5, 58)})
        for (const int shift : {16, 8})  // red and green
          EXPECT_NEAR(Pixel(at.x(), at.y()) >> shift & 255, photo.pixel(at) >> shift & 255, 16)
              << at.x();
    }
    Tool(kFilledBox);
    Click(10, 10);
    Click(20, 20);
    boxes.clear();
    if (*row.saveAs) {
      fileAnswer = dir.filePath(QString::fromUtf8(row.saveAs)).toStdString();
      QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->findChild<QCheckBox*>()->isChecked()) << "ticked at first";
        dialog->accept();
      });
      sketchly->File().SaveAs();
      EXPECT_TRUE(boxes.empty());
      EXPECT_EQ(FileBytes(path), row.bytes) << "the photo itself as it was";
      row.check(FileBytes(sketchly->Doc().File()));
      continue;
    }
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
      {"noext2", "JPEG image (*.jpg *.jpeg)", "noext2.jpg", "jpg", {80}},
      {"copy.png", "JPEG image (*.jpg *.jpeg)", "copy.png", "png", {}},
      {"notes.gif", "BMP image (*.bmp)", "notes.gif.bmp", "bmp", {}},
      {"phone.heic", "PNG image (*.png)", "phone.heic", "heic", {kDefaultQuality}},
      {"web.avif", "PNG image (*.png)", "web.avif", "avif", {kDefaultQuality}},
      {"art.jxl", "PNG image (*.png)", "art.jxl", "jxl", {kDefaultQuality}},
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
    EXPECT_EQ(ReadImage(saved).source.format, row.format);
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
