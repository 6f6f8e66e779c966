#pragma once

#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace paint {

// The dialogs of Image > Adjust: a slider and a field for each level, OK and
// Cancel. While the user chooses, `preview` hears each new choice (at most
// once per pass of the event loop, so a dragged slider never queues up
// work). Nothing when cancelled.

// Brightness, then contrast: -100 to 100 each, 0 leaving the picture as it is.
std::optional<std::pair<int, int>> AskBrightnessContrast(
    QWidget* owner, const std::function<void(int brightness, int contrast)>& preview);

// Saturation, -100 (grey) to 100 (twice as vivid).
std::optional<int> AskSaturation(QWidget* owner, const std::function<void(int)>& preview);

// An angle clockwise in degrees, -180 to 180 in tenths.
std::optional<double> AskRotation(QWidget* owner, const std::function<void(double)>& preview);

}  // namespace paint
