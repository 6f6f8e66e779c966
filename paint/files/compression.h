#pragma once

#include <QByteArray>

namespace paint {

// How a lossy file was compressed, so that saving over it can do the same
// instead of softening the whole picture at a default quality.
struct Compression {
  int quality = -1;         // 1..100 as Qt's writers take it; -1 when unknown
  bool fullChroma = false;  // JPEG: colour kept at full resolution (4:4:4)
  bool lossless = false;    // WebP: written lossless (Qt's WebP writer at quality 100)
};

// The compression of an encoded file, from its bytes, given its format as Qt
// names it ("jpeg", "jpg", "webp"). The start of the file is enough: a JPEG's
// markers up to its first scan, a WebP's chunks up to its first picture data
// (past a transparency chunk, which can be long). Unknown for other formats
// and for bytes it cannot make sense of; safe on any damaged input.
Compression EstimateCompression(const QByteArray& head, const QByteArray& format);

}  // namespace paint
