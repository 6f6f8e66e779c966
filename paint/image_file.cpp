#include "paint/image_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>

#include "common/i18n.h"
#include "paint/picture_limits.h"

namespace paint {
namespace {

// The formats the Save dialog offers; the first is the default.
const QStringList kSaveSuffixes = {QStringLiteral("png"), QStringLiteral("bmp"),
                                   QStringLiteral("jpg"), QStringLiteral("jpeg")};

QByteArray FormatOf(const QString& path) {
  const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
  return format.isEmpty() ? QByteArray("png") : format;
}

// Whether any pixel of a 32-bit picture passes the test.
template <class Test>
bool AnyPixel(const QImage& picture, Test test) {
  for (int y = 0; y < picture.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    if (std::any_of(line, line + picture.width(), test)) return true;
  }
  return false;
}

// The sides a format's writer takes at most; Qt's ICO writer shrinks a
// larger picture without a word.
struct SideLimit {
  const char* format;
  const char* name;
  int side;
};
constexpr SideLimit kSideLimits[] = {
    {"png", "PNG", 1000000}, {"jpg", "JPEG", 65535}, {"jpeg", "JPEG", 65535},
    {"webp", "WebP", 16383}, {"ico", "ICO", 256},    {"cur", "CUR", 256},
};

ReadResult Read(QImageReader& reader) {
  ReadResult result;
  reader.setAutoTransform(true);
  if (!reader.canRead()) {
    result.error = common::Tr("paint", "is not an image file");
    return result;
  }
  // One largest picture for every command: what can be made can be opened.
  // Qt's own limit is raised to that once, deep (16-bit) pictures included.
  static const bool raised = [] {
    QImageReader::setAllocationLimit(
        static_cast<int>((qint64{kMaxPictureSide} * kMaxPictureSide * 8 >> 20) + 1));
    return true;
  }();
  (void)raised;
  const QSize size = reader.size();
  if (size.isValid() && !WithinLimit(size)) {
    result.error = TooLarge(size);
    return result;
  }
  result.source.format = reader.format().toLower();
  result.source.frames = std::max(reader.imageCount(), 1);
  result.image = reader.read();
  if (result.image.isNull()) {
    result.error = common::Tr("paint", "is damaged or cut short (%1)").arg(reader.errorString());
    return result;
  }
  if (!WithinLimit(result.image.size())) {
    result.error = TooLarge(result.image.size());
    result.image = QImage();
    return result;
  }
  result.source.deep =
      result.image.depth() > 32 || result.image.format() == QImage::Format_Grayscale16;
  return result;
}

}  // namespace

QString TooLarge(const QSize& size) {
  return common::Tr("paint", "is too large to open (%1 × %2 pixels; at most %3 a side)")
      .arg(size.width())
      .arg(size.height())
      .arg(kMaxPictureSide);
}

ReadResult ReadImage(const QString& path) {
  const QFileInfo info(path);
  ReadResult result;
  if (!info.exists()) {
    result.error = common::Tr("paint", "does not exist");
  } else if (info.isDir()) {
    result.error = common::Tr("paint", "is a folder");
  } else if (!info.isFile()) {
    // Reading a pipe or a device could wait for ever.
    result.error = common::Tr("paint", "is not a regular file");
  } else {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      result.error = common::Tr("paint", "cannot be read (%1)").arg(file.errorString());
    } else {
      QImageReader reader(&file);
      return Read(reader);
    }
  }
  return result;
}

ReadResult ReadImageData(const QByteArray& data) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return Read(reader);
}

bool Writable(const QString& path) {
  return QImageWriter::supportedImageFormats().contains(FormatOf(path));
}

QString SizeProblem(const QString& path, const QSize& size) {
  const QByteArray format = FormatOf(path);
  for (const SideLimit& limit : kSideLimits) {
    if (format != limit.format) continue;
    if (size.width() > limit.side)
      return common::Tr("paint", "%1 pictures can be at most %2 pixels wide")
          .arg(QString::fromLatin1(limit.name))
          .arg(limit.side);
    if (size.height() > limit.side)
      return common::Tr("paint", "%1 pictures can be at most %2 pixels high")
          .arg(QString::fromLatin1(limit.name))
          .arg(limit.side);
  }
  return {};
}

QString WriteImage(const QString& path, const QImage& image) {
  const QByteArray format = FormatOf(path);
  if (const QString problem = SizeProblem(path, image.size()); !problem.isEmpty()) return problem;
  if (!Writable(path))
    return common::Tr("paint",
                      "\"%1\" is not an image type that can be written (use .png, .bmp or "
                      ".jpg)")
        .arg(QString::fromLatin1(format));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  QImageWriter writer(&file, format);
  if (!writer.write(image)) {
    QString reason =
        file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

QStringList Losses(const QString& path, const QImage& picture, const ImageSource& source) {
  QStringList losses;
  const QByteArray format = FormatOf(path);
  if (!Writable(path))
    losses << common::Tr("paint", "the file itself: %1 pictures cannot be written")
                  .arg(QString::fromLatin1(format.toUpper()));
  if (source.frames > 1)
    losses << common::Tr("paint", "all frames but the first (it has %1)").arg(source.frames);
  if (source.deep) losses << common::Tr("paint", "the colour depth beyond 8 bits per channel");
  // These hold grey (PGM) or black and white (PBM, XBM) only.
  if ((format == "pbm" || format == "pgm" || format == "xbm") &&
      AnyPixel(picture, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); }))
    losses << common::Tr("paint", "its colours");
  if (format != "png" && picture.hasAlphaChannel() &&
      AnyPixel(picture, [](QRgb p) { return qAlpha(p) != 255; }))
    losses << common::Tr("paint", "its transparency");
  return losses;
}

QString WritableName(const QString& path) {
  if (path.isEmpty()) return QStringLiteral("drawing.png");
  const QFileInfo info(path);
  if (kSaveSuffixes.contains(info.suffix().toLower())) return path;
  return info.dir().filePath(info.completeBaseName() + QStringLiteral(".png"));
}

QString OpenFilters() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats())
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  return common::Tr("paint", "Images (%1);;All files (*)").arg(patterns.join(u' '));
}

QString SaveFilters() {
  return common::Tr("paint", "PNG image (*.png);;BMP image (*.bmp);;JPEG image (*.jpg *.jpeg)");
}

}  // namespace paint
