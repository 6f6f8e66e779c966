#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "paint/files/compression.h"
#include "paint/files/metadata.h"

namespace paint {

// Opening a picture, from a file or from encoded data: its pixels, what
// else the file holds, and in plain words why it cannot be read.

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
  PhotoDetails details;  // what the file said about the photo, as fits the picture opened
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

// A picture of this size, at this many bytes a pixel, fits within Qt's
// allocation limit for decoded pictures, which every reader keeps to: Qt's
// own and the decoders beside them.
bool WithinAllocation(const QSize& size, int bytesPerPixel);

}  // namespace paint
