#pragma once

#include <algorithm>
#include <array>

namespace common {

// The zoom levels of a picture view, as fractions: the usual steps of image
// editors from 5 % to 3200 %.
inline constexpr std::array<double, 19> kZoomLevels = {0.05, 0.08, 0.12, 0.17, 0.25, 0.33, 0.5,
                                                       0.67, 1.0,  1.5,  2.0,  3.0,  4.0,  6.0,
                                                       8.0,  12.0, 16.0, 24.0, 32.0};
inline constexpr double kMinZoom = kZoomLevels.front();
inline constexpr double kMaxZoom = kZoomLevels.back();

// The next level above (up) or below a zoom, or the zoom itself at the end.
inline double NextZoom(double zoom, bool up) {
  constexpr double kSame = 1e-6;
  if (up) {
    const auto* next = std::find_if(kZoomLevels.begin(), kZoomLevels.end(),
                                    [zoom](double level) { return level > zoom + kSame; });
    return next != kZoomLevels.end() ? *next : std::min(zoom, kMaxZoom);
  }
  const auto next = std::find_if(kZoomLevels.rbegin(), kZoomLevels.rend(),
                                 [zoom](double level) { return level < zoom - kSame; });
  return next != kZoomLevels.rend() ? *next : std::max(zoom, kMinZoom);
}

}  // namespace common
