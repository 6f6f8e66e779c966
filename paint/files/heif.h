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

// HEIF files through libheif: HEIC (HEVC) from phones and AVIF (AV1) from
// the web, read and written.

// "heic" or "avif" when the bytes begin as such a file, else empty.
QByteArray HeifKind(const QByteArray& bytes);
// This system decodes (encodes) that kind.
bool HeifReads(const QByteArray& kind);
bool HeifWrites(const QByteArray& kind);

// The primary picture, upright as the file says, with its colour profile,
// transparency and details. Sizes past the largest picture are refused
// before anything is decoded.
ReadResult ReadHeif(const QByteArray& bytes);

// Writes the picture as kind at the quality given (the default when
// unknown), with the details. The reason of a failure, or an empty string.
QString WriteHeif(QIODevice& device, const QImage& picture, const QByteArray& kind,
                  const Compression& compression, const PhotoDetails& details,
                  const std::atomic<bool>* cancel = nullptr);

}  // namespace paint
