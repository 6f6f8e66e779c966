#pragma once

#include <QSize>
#include <optional>

#include "paint/document/picture_limits.h"

class QWidget;

namespace paint {

// Asks for a picture's new width and height in pixels (1 to kMaxPictureSide
// each; the fields take nothing else). Nothing when cancelled.
std::optional<QSize> AskPictureSize(QWidget* owner, const QSize& current);

// Asks for the size to scale the picture to, in pixels or in percent of the
// current size, its proportions kept unless the user unticks that. A size
// with a side outside 1 to kMaxPictureSide cannot be confirmed. Nothing
// when cancelled.
std::optional<QSize> AskScale(QWidget* owner, const QSize& current);

}  // namespace paint
