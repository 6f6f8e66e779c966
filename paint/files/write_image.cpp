#include "paint/files/write_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/i18n.h"
#include "common/native_path.h"
#include "paint/files/heif.h"
#include "paint/files/jpeg_writer.h"
#include "paint/files/jxl.h"
#include "paint/files/save_policy.h"
#include "paint/files/tga_writer.h"

namespace paint {
namespace {

// Qt's WebP writer writes lossless at its top quality.
constexpr int kLosslessWebP = 100;

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

QString WriteImage(const QString& path, const QImage& image, const Compression& compression,
                   SaveControl* control, const PhotoDetails& details) {
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
  const std::atomic<bool>* stop = control ? control->Stop() : nullptr;
  const PhotoDetails written = Resized(details, image.size());
  const auto encode = [&](QIODevice& out) -> QString {
    if (format == "jpg" || format == "jpeg") return WriteJpeg(out, image, used, stop);
    if (format == "tga") return WriteTga(out, image);
    if (format == "heic" || format == "heif" || format == "avif")
      return WriteHeif(out, image, Canonical(format), used, written, stop);
    if (format == "jxl") return WriteJxl(out, image, used, written, stop);
    QImageWriter writer(&out, format);
    if (format == "webp") writer.setQuality(used.lossless ? kLosslessWebP : used.quality);
    return writer.write(image) ? QString() : writer.errorString();
  };
  QString reason;
  if (written.Empty() || !CarriesDetails(format) || format == "heic" || format == "heif" ||
      format == "avif" || format == "jxl") {
    reason = encode(file);
  } else {
    // The details go in once the picture is encoded, in memory.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    reason = encode(buffer);
    QByteArray bytes = buffer.data();
    buffer.close();
    buffer.setData(QByteArray());
    if (reason.isEmpty() && !(stop && *stop)) reason = EmbedDetails(bytes, format, written);
    if (reason.isEmpty() && file.write(bytes) != bytes.size()) reason = file.errorString();
  }
  if (reason.isEmpty() && file.error() != QFileDevice::NoError) reason = file.errorString();
  if (!reason.isEmpty() || (control && !control->Commit())) {
    file.cancelWriting();
    return reason.isEmpty() ? QString() : WriteProblem(path, reason);
  }
  if (!file.commit()) return WriteProblem(path, file.errorString());
  return standIn.Finish();
}

}  // namespace paint
