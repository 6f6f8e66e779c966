#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <stop_token>

#include "paint/files/compression.h"

class QWidget;

namespace paint {

// Asks the quality (1..100) to write a lossy picture at, starting from the
// file's own (75 when unknown), and shows about how large the file comes out
// at the quality chosen. Nothing when cancelled.
std::optional<int> AskQuality(QWidget* parent, const QImage& picture, const QByteArray& format,
                              const Compression& initial);

// About how many bytes the picture takes written in the format: measured on
// its centre, at most about a megapixel, and scaled by the area. -1 when it
// cannot be written or once stopped. Safe off the user-interface thread.
qint64 EncodedSize(const QImage& picture, const QByteArray& format, const Compression& compression,
                   const std::stop_token& stop = {});

}  // namespace paint
