#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

namespace paint {

// What an opened file holds beyond the first picture's 8-bit pixels, so that
// saving it back can tell what would be lost.
struct ImageSource {
  QByteArray format;  // as read ("png", "gif", ...); empty for a new drawing
  int frames = 1;
  bool deep = false;  // more than 8 bits per channel
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

// Writes the image in the format that the name's suffix names (PNG without
// one), through a temporary file that replaces the old one only when all is
// written. Returns the reason of a failure, or an empty string.
QString WriteImage(const QString& path, const QImage& image);

// Why a picture of this size cannot be opened or pasted: larger than the
// largest picture there may be.
QString TooLarge(const QSize& size);

// Why a picture of this size cannot be written in the format the name's
// suffix names ("PNG pictures can be at most 1000000 pixels wide"), or an
// empty string.
QString SizeProblem(const QString& path, const QSize& size);

// Qt can write the format that the name's suffix names.
bool Writable(const QString& path);

// What writing the picture to the path would lose of it or of the file it
// came from; empty when nothing.
QStringList Losses(const QString& path, const QImage& picture, const ImageSource& source);

// The name to suggest for Save As: the same name, with a suffix that can be
// written.
QString WritableName(const QString& path);

// The file-dialog filters for both.
QString OpenFilters();
QString SaveFilters();

}  // namespace paint
