#include "paint/files/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/i18n.h"
#include "common/native_path.h"
#include "paint/document/picture_limits.h"
#include "paint/files/file_kind.h"
#include "paint/files/jpeg_writer.h"
#include "paint/files/partial_png.h"

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
    {"png", "PNG", "*.png"}, {"jpg", "JPEG", "*.jpg *.jpeg"}, {"webp", "WebP", "*.webp"},
    {"bmp", "BMP", "*.bmp"}, {"tif", "TIFF", "*.tif *.tiff"}, {"tga", "TGA", "*.tga"},
};

// Formats that keep transparency, as Qt writes them.
bool KeepsAlpha(const QByteArray& format) {
  return format == "png" || format == "ico" || format == "cur" || format == "tif" ||
         format == "tiff" || format == "webp" || format == "tga";
}

// The formats that can be written: Qt's, and TGA, which Qt only reads.
QList<QByteArray> WritableFormats() {
  QList<QByteArray> formats = QImageWriter::supportedImageFormats();
  if (!formats.contains("tga")) formats << "tga";
  return formats;
}

// An uncompressed 32-bit TGA, top row first, with the version 2 footer
// that readers look for.
QString WriteTga(QIODevice& device, const QImage& picture) {
  const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
  if (pixels.isNull()) return common::Tr("paint", "there is not enough memory");
  QByteArray header(18, '\0');
  header[2] = 2;  // true colour, not run-length
  header[12] = static_cast<char>(pixels.width() & 0xff);
  header[13] = static_cast<char>(pixels.width() >> 8);
  header[14] = static_cast<char>(pixels.height() & 0xff);
  header[15] = static_cast<char>(pixels.height() >> 8);
  header[16] = 32;
  header[17] = 0x28;  // top row first, 8 bits of alpha
  bool written = device.write(header) == header.size();
  // ARGB32 lies in memory as TGA's blue, green, red, alpha.
  const qint64 row = qint64{pixels.width()} * 4;
  for (int y = 0; written && y < pixels.height(); ++y)
    written = device.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), row) == row;
  static const QByteArray footer = QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
  written = written && device.write(footer) == footer.size();
  return written ? QString() : common::Tr("paint", "writing failed");
}

// Qt's WebP writer writes lossless at its top quality.
constexpr int kLosslessWebP = 100;

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

ReadResult Read(QImageReader& reader, const QByteArray& bytes, const QString& suffix) {
  ReadResult result;
  reader.setAutoTransform(true);
  if (!reader.canRead()) {
    result.error = UnreadableKind(bytes, suffix);
    if (result.error.isEmpty()) result.error = common::Tr("paint", "is not an image file");
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
  ImageSource& source = result.source;
  source.format = Canonical(reader.format().toLower());
  source.frames = std::max(reader.imageCount(), 1);
  result.image = reader.read();
  // What comes before the damage in a PNG is still the user's picture.
  if (result.image.isNull() && source.format == "png") {
    result.image = ReadPartialPng(bytes);
    source.damaged = !result.image.isNull();
  }
  if (result.image.isNull()) {
    result.error = UnreadableKind(bytes, suffix);
    if (result.error.isEmpty())
      result.error = common::Tr("paint", "is damaged or cut short (%1)").arg(reader.errorString());
    return result;
  }
  if (!WithinLimit(result.image.size())) {
    result.error = TooLarge(result.image.size());
    result.image = QImage();
    return result;
  }
  source.deep = result.image.depth() > 32 || result.image.format() == QImage::Format_Grayscale16;
  if (source.format == "png") source.frames = std::max(source.frames, PngFrames(bytes));
  if (source.format == "jpg") source.damaged = JpegCutShort(bytes);
  source.compression = EstimateCompression(bytes, source.format);
  return result;
}

ReadResult ReadBytes(const QByteArray& bytes, const QString& suffix) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  // The name's type first; the content decides when that reader declines.
  QImageReader reader(&buffer, suffix.toLower().toLatin1());
  return Read(reader, bytes, suffix);
}

// Words for why a file could not be put in the folder.
QString FolderProblem(const QString& path, const QString& reason) {
  const QFileInfo folder(QFileInfo(path).absolutePath());
  if (!folder.exists())
    return common::Tr("paint", "the folder \"%1\" does not exist").arg(folder.filePath());
  return common::Tr("paint", "the folder \"%1\" cannot be written (%2)")
      .arg(folder.filePath(), reason);
}

// Words for a write that stopped part way.
QString WriteProblem(const QString& path, const QString& reason) {
  const QStorageInfo storage(QFileInfo(path).absolutePath());
  // Less than one buffer's worth left: the disk filled up.
  constexpr qint64 kNearlyFull = 1 << 20;
  if (storage.isValid() && storage.bytesAvailable() < kNearlyFull)
    return common::Tr("paint", "the disk is full");
  return reason.isEmpty() || reason == QStringLiteral("Unknown error")
             ? common::Tr("paint", "the file could not be written")
             : reason;
}

// A name Qt's file classes cannot reach (not UTF-8) is saved under a stand-in
// name in the same folder, reached through the folder's descriptor, which
// then takes the real name.
class StandIn {
 public:
  explicit StandIn(const QString& path) : path(path) {
    if (!common::NativeOnly(path)) return;
    const QByteArray native = common::ToNative(path);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : native.left(std::max<qsizetype>(slash, 1));
    name_ = native.mid(slash + 1);
    folder_ = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) {
      error = QString::fromLocal8Bit(std::strerror(errno));
      return;
    }
    standIn_ = QByteArray(".sketchly-") + QByteArray::number(::getpid()) + ".tmp";
    this->path = QStringLiteral("/proc/self/fd/%1/").arg(folder_) + QString::fromLatin1(standIn_);
  }
  ~StandIn() {
    if (folder_ >= 0) ::close(folder_);
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  // Gives the written file its real name; the reason when it cannot.
  QString Finish() {
    if (folder_ < 0) return {};
    if (::renameat(folder_, standIn_.constData(), folder_, name_.constData()) == 0) return {};
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    ::unlinkat(folder_, standIn_.constData(), 0);
    return reason;
  }

  QString path;   // what Qt writes to
  QString error;  // why the folder cannot be reached

 private:
  int folder_ = -1;
  QByteArray name_;
  QByteArray standIn_;
};

}  // namespace

FileStamp FileStamp::Of(const QString& path) {
  struct stat info {};
  FileStamp stamp;
  if (::stat(common::ToNative(path).constData(), &info) != 0) return stamp;
  stamp.size = info.st_size;
  stamp.modified = static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.inode = info.st_ino;
  stamp.device = info.st_dev;
  return stamp;
}

QString TooLarge(const QSize& size) {
  return common::Tr("paint", "is too large to open (%1 × %2 pixels; at most %3 a side)")
      .arg(size.width())
      .arg(size.height())
      .arg(kMaxPictureSide);
}

ReadResult ReadImage(const QString& path) {
  ReadResult result;
  // Opened by its bytes, whatever the name's encoding; without waiting, as
  // a pipe would wait for ever.
  const int fd = ::open(common::ToNative(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info {};
  if (fd < 0) {
    result.error = errno == ENOENT ? common::Tr("paint", "does not exist")
                                   : common::Tr("paint", "cannot be read (%1)")
                                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
  } else if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    result.error = common::Tr("paint", "is a folder");
  } else if (!S_ISREG(info.st_mode)) {
    result.error = common::Tr("paint", "is not a regular file");
  } else {
    const FileStamp stamp = FileStamp::Of(path);
    QFile file;
    QByteArray bytes;
    if (file.open(fd, QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
      result.error = common::Tr("paint", "cannot be read (%1)").arg(file.errorString());
    } else {
      result = ReadBytes(bytes, QFileInfo(path).suffix());
      result.source.stamp = stamp;
    }
  }
  if (fd >= 0) ::close(fd);
  return result;
}

ReadResult ReadImageData(const QByteArray& data) {
  return ReadBytes(data, QString());
}

bool SaveControl::Cancel() {
  const std::lock_guard lock(mutex_);
  if (committing_) return false;
  stop_ = true;
  return true;
}

bool SaveControl::Commit() {
  const std::lock_guard lock(mutex_);
  committing_ = !stop_;
  return committing_;
}

QByteArray Canonical(const QByteArray& format) {
  if (format == "jpeg") return "jpg";
  if (format == "tiff") return "tif";
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
  return format == "jpg" || format == "jpeg" || (format == "webp" && !compression.lossless);
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

QString WriteImage(const QString& path, const QImage& image, const Compression& compression,
                   SaveControl* control) {
  const QByteArray format = FormatOf(path);
  if (const QString problem = SizeProblem(path, image.size()); !problem.isEmpty()) return problem;
  if (!Writable(path))
    return common::Tr("paint", "%1 pictures cannot be written")
        .arg(QString::fromLatin1(format.toUpper()));
  // Through a link too: a device or a pipe would be replaced by a file.
  const QByteArray native = common::ToNative(path);
  if (struct stat info{}; ::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode))
    return common::Tr("paint", "it is not a regular file");
  StandIn standIn(path);
  if (!standIn.error.isEmpty()) return FolderProblem(path, standIn.error);
  QSaveFile file(standIn.path);
  if (!file.open(QIODevice::WriteOnly)) return FolderProblem(path, file.errorString());
  Compression used = compression;
  if (used.quality < 1) used.quality = kDefaultQuality;
  QString reason;
  if (format == "jpg" || format == "jpeg") {
    reason = WriteJpeg(file, image, used, control ? control->Stop() : nullptr);
  } else if (format == "tga") {
    reason = WriteTga(file, image);
  } else {
    QImageWriter writer(&file, format);
    if (format == "webp") writer.setQuality(used.lossless ? kLosslessWebP : used.quality);
    if (!writer.write(image)) reason = writer.errorString();
  }
  if (reason.isEmpty() && file.error() != QFileDevice::NoError) reason = file.errorString();
  if (!reason.isEmpty() || (control && !control->Commit())) {
    file.cancelWriting();
    return reason.isEmpty() ? QString() : WriteProblem(path, reason);
  }
  if (!file.commit()) return WriteProblem(path, file.errorString());
  return standIn.Finish();
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
