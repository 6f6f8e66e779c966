#pragma once

#include <QSize>

namespace paint {

// The largest picture, the same for every command that makes one (Picture
// Size, paste and enlarge), for opening and for pasting: a side of 16384
// pixels, which every format we write but ICO and WebP takes, keeps a
// picture within 1 GiB at 32 bits and its undo and view within some 3 GiB.
inline constexpr int kMaxPictureSide = 16384;

inline bool WithinLimit(const QSize& size) {
  return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxPictureSide &&
         size.height() <= kMaxPictureSide;
}

}  // namespace paint
