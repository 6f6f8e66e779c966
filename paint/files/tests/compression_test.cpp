// Saving over a lossy file the way it was written: the estimate from its
// headers, the JPEG writer, and the quality dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QImageWriter>
#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "paint/commands/quality_dialog.h"
#include "paint/files/compression.h"
#include "paint/files/jpeg_writer.h"

namespace paint {
namespace {

// Smooth colour with grain, like a photograph, so that every quality
// writes different tables and sizes.
QImage Photo(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  quint32 noise = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245 + 12345;
      const int grain = int(noise >> 16) % 24 - 12;
      const int r = 128 + int(100 * std::sin(x * 0.05) * std::cos(y * 0.03)) + grain;
      const int g = 128 + int(90 * std::sin((x + y) * 0.02)) + grain;
      const int b = 128 + int(80 * std::cos(x * 0.011 - y * 0.07)) + grain;
      image.setPixel(x, y,
                     qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
    }
  return image;
}

QByteArray QtWritten(const QImage& picture, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  EXPECT_TRUE(writer.write(picture)) << format << " at " << quality;
  return bytes;
}

QByteArray OursWritten(const QImage& picture, int quality, bool fullChroma) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(WriteJpeg(buffer, picture, {quality, fullChroma, false}, nullptr), QString());
  return bytes;
}

// The largest difference of any channel, averaged over the pixels.
double Difference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                       std::abs(qBlue(p) - qBlue(q))});
    }
  return sum / (a.width() * a.height());
}

TEST(CompressionTest, JpegQualityAndColourResolutionComeBack) {
  const QImage photo = Photo(96, 72);
  for (int quality : {10, 50, 75, 90, 95, 100}) {
    SCOPED_TRACE(quality);
    const QByteArray qt = QtWritten(photo, "jpeg", quality);
    const Compression fromQt = EstimateCompression(qt, "jpeg");
    EXPECT_EQ(fromQt.quality, quality);
    EXPECT_FALSE(fromQt.fullChroma);
    for (bool full : {false, true}) {
      const QByteArray ours = OursWritten(photo, quality, full);
      const Compression back = EstimateCompression(ours, "jpg");
      EXPECT_EQ(back.quality, quality) << "full " << full;
      EXPECT_EQ(back.fullChroma, full);
      EXPECT_FALSE(back.lossless);
      // The right colours (not swapped), as close as the quality allows.
      const QImage read = QImage::fromData(ours, "jpeg");
      ASSERT_EQ(read.size(), photo.size());
      EXPECT_FALSE(read.isGrayscale());
      EXPECT_LT(Difference(read, photo), quality >= 90 ? 6 : 20);
      if (!full) {
        EXPECT_NEAR(ours.size(), qt.size(), qt.size() * 0.1) << "same encoding as Qt's";
      }
    }
  }
}

QImage Transparent(const QImage& picture) {
  QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  image.setPixel(3, 3, qRgba(1, 2, 3, 4));
  return image;
}

TEST(CompressionTest, WebpQualityAndLosslessComeBack) {
  const struct {
    const char* name;
    QImage picture;
    int off;  // qualities that write the same index read back as the highest
  } pictures[] = {
      {"photo", Photo(96, 72), 0},
      {"transparent", Transparent(Photo(96, 72)), 0},
      {"one block", Photo(16, 16), 1},
  };
  for (const auto& row : pictures) {
    for (int quality : {1, 10, 50, 75, 90, 99, 100}) {
      SCOPED_TRACE(testing::Message() << row.name << " at " << quality);
      const Compression back = EstimateCompression(QtWritten(row.picture, "webp", quality), "webp");
      EXPECT_EQ(back.lossless, quality == 100);
      EXPECT_NEAR(back.quality, quality, row.off);
      EXPECT_FALSE(back.fullChroma);
    }
  }
}

TEST(CompressionTest, DamagedOrForeignBytesAreUnknown) {
  const QByteArray jpeg = QtWritten(Photo(32, 32), "jpeg", 60);
  const QByteArray webp = QtWritten(Photo(32, 32), "webp", 60);
  // Every cut: unknown, or already right once the tables are in.
  for (const auto& [bytes, format] : {std::pair{jpeg, "jpeg"}, std::pair{webp, "webp"}})
    for (qsizetype length = 0; length <= std::min<qsizetype>(bytes.size(), 700); ++length) {
      const int quality = EstimateCompression(bytes.left(length), format).quality;
      EXPECT_TRUE(quality == -1 || quality == 60) << format << " cut at " << length;
    }
  // Each byte of the headers changed: never a crash or a read outside.
  for (const auto& [bytes, format] : {std::pair{jpeg, "jpeg"}, std::pair{webp, "webp"}})
    for (int at = 0; at < 400 && at < bytes.size(); ++at)
      for (char value : {'\x00', '\xFF', '\x7F'}) {
        QByteArray damaged = bytes;
        damaged[at] = value;
        EstimateCompression(damaged, format);
      }
  const struct {
    const char* name;
    QByteArray bytes;
    QByteArray format;
  } rows[] = {
      {"nothing", {}, "jpeg"},
      {"text", "Hello, this is no picture at all", "jpeg"},
      {"start only", QByteArray::fromHex("ffd8"), "jpeg"},
      {"table too long", QByteArray::fromHex("ffd8ffdb0043") + QByteArray(10, 1), "jpeg"},
      {"table of 4 bits", QByteArray::fromHex("ffd8ffdb0043") + QByteArray(65, '\x20'), "jpeg"},
      {"table number 5", QByteArray::fromHex("ffd8ffdb0043") + QByteArray(65, '\x05'), "jpeg"},
      {"frame of no parts", QByteArray::fromHex("ffd8ffc0000b08001000100000"), "jpeg"},
      {"riff of no chunks", QByteArray("RIFF\x04\0\0\0WEBP", 12), "webp"},
      {"huge chunk", QByteArray("RIFF\0\0\0\0WEBPALPH\xff\xff\xff\xff", 20), "webp"},
      {"huge frame", QByteArray("RIFF\0\0\0\0WEBPANMF\xff\xff\xff\xff", 20), "webp"},
      {"not a key frame", QByteArray("RIFF\0\0\0\0WEBPVP8 \x20\0\0\0", 20) + QByteArray(32, 1),
       "webp"},
      {"a PNG", QtWritten(Photo(8, 8), "png", 50), "png"},
      {"a JPEG named PNG", jpeg, "png"},
  };
  for (const auto& row : rows) {
    const Compression result = EstimateCompression(row.bytes, row.format);
    EXPECT_EQ(result.quality, -1) << row.name;
    EXPECT_FALSE(result.lossless) << row.name;
  }
}

TEST(CompressionTest, WritingStopsOnCancelAndReportsFailures) {
  const QImage photo = Photo(64, 64);
  const std::atomic<bool> cancel = true;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_FALSE(WriteJpeg(buffer, photo, {}, &cancel).isEmpty());
  QBuffer closed;
  EXPECT_FALSE(WriteJpeg(closed, photo, {}, nullptr).isEmpty()) << "device not open";
  EXPECT_FALSE(WriteJpeg(buffer, QImage(), {}, nullptr).isEmpty());
  EXPECT_FALSE(WriteJpeg(buffer, QImage(65501, 1, QImage::Format_RGB32), {}, nullptr).isEmpty());
}

TEST(CompressionTest, SizeOfLargePicturesIsMeasuredOnPart) {
  for (const QSize size : {QSize(300, 200), QSize(2400, 1000), QSize(90, 12000)}) {
    SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
    const QImage photo = Photo(size.width(), size.height());
    for (const char* format : {"jpeg", "webp"}) {
      const qint64 whole = QtWritten(photo, format, 70).size();
      EXPECT_NEAR(EncodedSize(photo, format, {70, false, false}), whole, whole * 0.1) << format;
    }
  }
}

TEST(CompressionTest, QualityDialogKeepsSliderAndFieldInStepAndShowsTheSize) {
  const QImage photo = Photo(1500, 1000);
  const auto about = [&](int quality) {
    const qint64 bytes = EncodedSize(photo, "jpeg", {quality, true, false});
    return "About " + QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
  };
  for (bool accept : {true, false}) {
    QTimer::singleShot(0, [&, accept] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Image Quality");
      auto* slider = dialog->findChild<QSlider*>();
      auto* field = dialog->findChild<QSpinBox*>();
      ASSERT_TRUE(slider && field);
      EXPECT_EQ(slider->value(), 42) << "the file's own quality";
      EXPECT_FALSE(slider->accessibleName().isEmpty());
      QLabel* size = nullptr;
      for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->buddy() == slider) {
          EXPECT_EQ(label->text(), "&Quality:");
        }
        if (!label->buddy()) size = label;
      }
      ASSERT_NE(size, nullptr);
      const auto shown = [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return size->text().startsWith("About"); }, 20000));
        return size->text();
      };
      EXPECT_EQ(shown(), about(42));
      field->setValue(90);
      EXPECT_EQ(slider->value(), 90);
      QTest::qWait(200);  // measuring at 90 when it moves on: that size is dropped
      slider->setValue(20);
      EXPECT_EQ(field->value(), 20);
      EXPECT_EQ(shown(), about(20));
      slider->setValue(60);
      QTest::qWait(170);
      // Closed while it measures: the measurement has nobody to tell.
      accept ? static_cast<QDialog*>(dialog)->accept() : static_cast<QDialog*>(dialog)->reject();
    });
    const std::optional<int> chosen = AskQuality(nullptr, photo, "jpeg", {42, true, false});
    EXPECT_EQ(chosen, accept ? std::optional<int>(60) : std::nullopt);
  }
}

}  // namespace
}  // namespace paint
