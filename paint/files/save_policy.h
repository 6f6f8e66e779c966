#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include "paint/files/compression.h"
#include "paint/files/read_image.h"

namespace paint {

// What may be written where, decided before anything is: the formats and
// their names, the sizes they take, what a save would lose, and the types
// the file dialogs offer. Pure functions.

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
// The format that the name's suffix names can be written: Qt's, or TGA.
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
