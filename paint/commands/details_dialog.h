#pragma once

#include <optional>

#include "paint/files/metadata.h"

class QWidget;

namespace paint {

// Asks, before a photo that says where it was taken or whom it names goes
// to a new file, whether to remove those details, the box ticked at first:
// a photo about to be shared should not give away where its taker lives.
// True to remove them, false to keep them, nothing when cancelled.
std::optional<bool> AskRemoveDetails(QWidget* owner, const PhotoDetails& details);

}  // namespace paint
