#include "paint/files/read_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/i18n.h"
#include "common/native_path.h"
#include "paint/document/picture_limits.h"
#include "paint/files/file_kind.h"
#include "paint/files/heif.h"
#include "paint/files/jxl.h"
#include "paint/files/partial_png.h"
#include "paint/files/save_policy.h"

namespace paint {
namespace {

// One largest picture for every command: what can be made can be opened.
// Qt's own limit is raised to that once, deep (16-bit) pictures included.
void RaiseAllocationLimit() {
  static const bool raised = [] {
    QImageReader::setAllocationLimit(
        static_cast<int>((qint64{kMaxPictureSide} * kMaxPictureSide * 8 >> 20) + 1));
    return true;
  }();
  (void)raised;
}

ReadResult ReadBytes(const QByteArray& bytes, const QString& suffix) {
  RaiseAllocationLimit();
  // The phone's and the web's formats, which Qt here cannot read.
  if (const QByteArray kind = HeifKind(bytes); !kind.isEmpty() && HeifReads(kind))
    return ReadHeif(bytes);
  if (IsJxl(bytes)) return ReadJxl(bytes);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  // The name's type first; the content decides when that reader declines.
  QImageReader reader(&buffer, suffix.toLower().toLatin1());
  reader.setAutoTransform(true);
  ReadResult result;
  if (!reader.canRead()) {
    result.error = UnreadableKind(bytes, suffix);
    if (result.error.isEmpty()) result.error = common::Tr("paint", "is not an image file");
    return result;
  }
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
  source.details = ReadDetails(bytes);
  return result;
}

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

bool WithinAllocation(const QSize& size, int bytesPerPixel) {
  RaiseAllocationLimit();
  return qint64{size.width()} * size.height() * bytesPerPixel <=
         qint64{QImageReader::allocationLimit()} << 20;
}

}  // namespace paint
