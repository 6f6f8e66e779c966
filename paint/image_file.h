#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace paint {

// Writes the image in the format that the name's suffix names (PNG without
// one), through a temporary file that replaces the old one only when all is
// written. Returns the reason of a failure, or an empty string.
QString WriteImage(const QString& path, const QImage& image);

// Reads an image of any type Qt reads, only as much as fits in `fits` where
// the format allows. A null image on failure, with the reason in error.
struct ReadResult {
  QImage image;
  bool whole = false;  // nothing of the picture was left out
  QString error;
};
ReadResult ReadImage(const QString& path, const QSize& fits);

// The file-dialog filters for both.
QString OpenFilters();
QString SaveFilters();

}  // namespace paint
