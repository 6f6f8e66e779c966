#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <atomic>

#include "paint/files/compression.h"
#include "paint/files/metadata.h"
#include "paint/files/read_image.h"

namespace paint {

// JPEG XL through libjxl, read and written.

// The bytes begin as a JPEG XL file, bare or in its container.
bool IsJxl(const QByteArray& bytes);

// The first frame, upright, with its colour profile, transparency and
// details; what comes before the damage of a file cut short, marked
// damaged. Sizes past the largest picture are refused before decoding. A
// file that keeps its own colour space exactly is taken as lossless.
ReadResult ReadJxl(const QByteArray& bytes);

// Writes the picture lossless, or at the quality given as libjxl's
// distance (the default when unknown), with the details. The reason of a
// failure, or an empty string.
QString WriteJxl(QIODevice& device, const QImage& picture, const Compression& compression,
                 const PhotoDetails& details, const std::atomic<bool>* cancel = nullptr);

}  // namespace paint
