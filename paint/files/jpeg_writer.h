#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>
#include <atomic>

#include "paint/files/compression.h"

namespace paint {

// Writes the picture as a baseline JPEG at the quality asked for (75 when
// unknown), its colour at full or half resolution (4:4:4 or 4:2:0): Qt's
// writer always halves it. A picture with grey pixels only is written grey.
// Transparency is dropped: the colour under it stays. Stops between rows
// once *cancel is set (cancel may be null). Returns the reason of a failure,
// or an empty string.
QString WriteJpeg(QIODevice& device, const QImage& picture, const Compression& compression,
                  const std::atomic<bool>* cancel = nullptr);

}  // namespace paint
