#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>

#include "paint/files/compression.h"

namespace paint {

// A file as it stood on disk, to tell whether another program changed it.
struct FileStamp {
  qint64 size = -1;  // -1: no file
  qint64 modified = 0;
  quint64 inode = 0;
  quint64 device = 0;
  static FileStamp Of(const QString& path);
  bool operator==(const FileStamp&) const = default;
};

// What an opened file holds beyond the first picture's 8-bit pixels, so that
// saving it back can tell what would be lost or keep what it can.
struct ImageSource {
  QByteArray format;  // as read ("png", "gif", ...); empty for a new drawing
  int frames = 1;
  bool deep = false;     // more than 8 bits per channel
  bool damaged = false;  // only part of the picture could be read
  Compression compression;
  FileStamp stamp;
};

// Reads the first picture of an image file, at its own size. A null image on
// failure, with the reason in plain words ("is a folder", "is not an image
// file", ...). Safe to call off the user-interface thread.
struct ReadResult {
  QImage image;
  ImageSource source;
  QString error;
};
ReadResult ReadImage(const QString& path);
// The same for encoded image data, such as the clipboard's.
ReadResult ReadImageData(const QByteArray& data);

// Lets the user-interface thread stop a save running aside, up to the
// moment the new file takes the old one's place.
class SaveControl {
 public:
  // False when too late: the file is being put in place.
  bool Cancel();
  // The writer's side: false when cancelled.
  bool Commit();
  const std::atomic<bool>* Stop() const { return &stop_; }

 private:
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  bool committing_ = false;
};

// Writes the image in the format that the name's suffix names (PNG without
// one), through a temporary file that replaces the old one only when all is
// written; JPEG and WebP with the compression given. Returns the reason of
// a failure in words, or an empty string.
QString WriteImage(const QString& path, const QImage& image, const Compression& compression = {},
                   SaveControl* control = nullptr);

// Why a picture of this size cannot be opened or pasted: larger than the
// largest picture there may be.
QString TooLarge(const QSize& size);

// Why a picture of this size cannot be written in the format the name's
// suffix names ("PNG pictures can be at most 1000000 pixels wide"), or an
// empty string.
QString SizeProblem(const QString& path, const QSize& size);

// The quality a new JPEG or WebP gets unless the user says.
inline constexpr int kDefaultQuality = 90;

// The one name of a format that has two (jpeg: jpg, tiff: tif).
QByteArray Canonical(const QByteArray& format);
// The format the name's suffix names, lower case ("png" without one).
QByteArray FormatOf(const QString& path);
// Qt can write the format that the name's suffix names.
bool Writable(const QString& path);
// The format keeps detail only as far as its quality says.
bool Lossy(const QByteArray& format, const Compression& compression);

// What writing the picture to the path would lose of it or of the file it
// came from, a sentence each; empty when nothing.
QStringList Losses(const QString& path, const QImage& picture, const ImageSource& source);

// The name to suggest for Save As: the same name, with a suffix that can be
// written.
QString WritableName(const QString& path);

// The file-dialog filters: every type Qt reads, and every type it writes.
QString OpenFilters();
QString SaveFilters();
// The save filter of a format, and the format a save filter stands for.
QString SaveFilterOf(const QByteArray& format);
QByteArray FormatOfFilter(const QString& filter);

}  // namespace paint
