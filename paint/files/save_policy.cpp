#include "paint/files/save_policy.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <algorithm>

#include "common/i18n.h"
#include "paint/document/picture_limits.h"
#include "paint/files/heif.h"

namespace paint {
namespace {

// The types the Save dialog offers by name, the default first; others Qt
// writes follow under their own names.
struct SaveType {
  const char* format;
  const char* name;
  const char* patterns;
};
constexpr SaveType kSaveTypes[] = {
    {"png", "PNG", "*.png"},           {"jpg", "JPEG", "*.jpg *.jpeg"}, {"webp", "WebP", "*.webp"},
    {"bmp", "BMP", "*.bmp"},           {"tif", "TIFF", "*.tif *.tiff"}, {"tga", "TGA", "*.tga"},
    {"heic", "HEIC", "*.heic *.heif"}, {"avif", "AVIF", "*.avif"},      {"jxl", "JPEG XL", "*.jxl"},
};

// The formats read and written through libheif and libjxl beside Qt's.
constexpr const char* kOwnFormats[] = {"heic", "heif", "avif", "jxl"};

// Formats that keep transparency, as Qt writes them.
bool KeepsAlpha(const QByteArray& format) {
  return format == "png" || format == "ico" || format == "cur" || format == "tif" ||
         format == "tiff" || format == "webp" || format == "tga" || format == "heic" ||
         format == "heif" || format == "avif" || format == "jxl";
}

// The formats that can be written: Qt's, TGA, which Qt only reads, and
// those libheif (as its encoders allow) and libjxl write.
QList<QByteArray> WritableFormats() {
  QList<QByteArray> formats = QImageWriter::supportedImageFormats();
  if (!formats.contains("tga")) formats << "tga";
  for (const char* own : kOwnFormats)
    if (!formats.contains(own) && (QByteArray(own) == "jxl" || HeifWrites(Canonical(own))))
      formats << own;
  return formats;
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
    {"png", "PNG", 1000000}, {"jpg", "JPEG", 65500}, {"jpeg", "JPEG", 65500},
    {"webp", "WebP", 16383}, {"ico", "ICO", 256},    {"cur", "CUR", 256},
    {"tga", "TGA", 65535},
};

}  // namespace

QString TooLarge(const QSize& size) {
  return common::Tr("paint", "is too large to open (%1 × %2 pixels; at most %3 a side)")
      .arg(size.width())
      .arg(size.height())
      .arg(kMaxPictureSide);
}

QByteArray Canonical(const QByteArray& format) {
  if (format == "jpeg") return "jpg";
  if (format == "tiff") return "tif";
  if (format == "heif") return "heic";
  return format;
}

QByteArray FormatOf(const QString& path) {
  const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
  return format.isEmpty() ? QByteArray("png") : format;
}

bool Writable(const QString& path) {
  return WritableFormats().contains(FormatOf(path));
}

bool Lossy(const QByteArray& format, const Compression& compression) {
  return format == "jpg" || format == "jpeg" || format == "heic" || format == "heif" ||
         format == "avif" || ((format == "webp" || format == "jxl") && !compression.lossless);
}

QString SizeProblem(const QString& path, const QSize& size) {
  const QByteArray format = FormatOf(path);
  for (const SideLimit& limit : kSideLimits) {
    const bool wide = size.width() > limit.side;
    if (format != limit.format || (!wide && size.height() <= limit.side)) continue;
    return (wide ? common::Tr("paint", "%1 pictures can be at most %2 pixels wide")
                 : common::Tr("paint", "%1 pictures can be at most %2 pixels high"))
        .arg(QString::fromLatin1(limit.name))
        .arg(limit.side);
  }
  return {};
}

QStringList Losses(const QString& path, const QImage& picture, const ImageSource& source) {
  QStringList losses;
  const QByteArray format = FormatOf(path);
  const QString name = QString::fromLatin1(format.toUpper());
  if (!Writable(path)) losses << common::Tr("paint", "%1 pictures cannot be written.").arg(name);
  if (source.damaged)
    losses << common::Tr("paint", "Only part of it could be read: the rest would be lost.");
  if (source.frames > 1)
    losses << common::Tr("paint",
                         "Its animation would be lost: only the first of its %1 frames would be "
                         "kept.")
                  .arg(source.frames);
  if (source.deep)
    losses << common::Tr("paint", "Its colours would be reduced to 8 bits per channel.");
  // These hold grey (PGM) or black and white (PBM, XBM) only.
  if ((format == "pbm" || format == "pgm" || format == "xbm") &&
      AnyPixel(picture, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); }))
    losses
        << common::Tr("paint", "Its colours would be lost: %1 pictures hold only grey.").arg(name);
  if (!KeepsAlpha(format) && picture.hasAlphaChannel() &&
      AnyPixel(picture, [](QRgb p) { return qAlpha(p) != 255; }))
    losses
        << common::Tr("paint", "Its transparency would be lost: %1 pictures have none.").arg(name);
  // Compressed again at another quality, the whole picture changes, not
  // just what was drawn.
  if (Canonical(format) == source.format && Lossy(format, source.compression) &&
      source.compression.quality < 1)
    losses << common::Tr("paint",
                         "It would be compressed again at quality %1, which changes all of it.")
                  .arg(kDefaultQuality);
  return losses;
}

QString WritableName(const QString& path) {
  if (path.isEmpty()) return common::Tr("paint", "drawing") + QStringLiteral(".png");
  const QFileInfo info(path);
  if (Writable(path) && !info.suffix().isEmpty()) return path;
  return info.dir().filePath(info.completeBaseName() + QStringLiteral(".png"));
}

QString OpenFilters() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats())
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  for (const char* own : kOwnFormats)
    if (const QString pattern = QStringLiteral("*.") + QLatin1String(own);
        !patterns.contains(pattern))
      patterns << pattern;
  return common::Tr("paint", "Images (%1);;All files (*)").arg(patterns.join(u' '));
}

QString SaveFilterOf(const QByteArray& format) {
  const QByteArray canonical = Canonical(format.toLower());
  for (const SaveType& type : kSaveTypes)
    if (canonical == type.format)
      return common::Tr("paint", "%1 image (%2)")
          .arg(QString::fromLatin1(type.name), QString::fromLatin1(type.patterns));
  return common::Tr("paint", "%1 image (%2)")
      .arg(QString::fromLatin1(canonical.toUpper()), QStringLiteral("*.") + canonical);
}

QString SaveFilters() {
  QStringList filters;
  const QList<QByteArray> writable = WritableFormats();
  for (const SaveType& type : kSaveTypes)
    if (writable.contains(type.format)) filters << SaveFilterOf(type.format);
  for (const QByteArray& format : writable)
    if (const QString filter = SaveFilterOf(format); !filters.contains(filter)) filters << filter;
  return filters.join(QStringLiteral(";;"));
}

QByteArray FormatOfFilter(const QString& filter) {
  const qsizetype at = filter.lastIndexOf(QStringLiteral("(*."));
  if (at < 0) return "png";
  const QString rest = filter.mid(at + 3);
  return rest.left(rest.indexOf(QRegularExpression(QStringLiteral("[ )]")))).toLower().toLatin1();
}

}  // namespace paint
