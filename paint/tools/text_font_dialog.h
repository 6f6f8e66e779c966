#pragma once

class QWidget;

namespace paint {

class MarkSettings;

// Tools > Text Font: the family, size in pixels, bold and italic of the
// text tool, chosen in a small dialog; false when cancelled.
bool AskTextFont(QWidget* owner, MarkSettings& settings);

}  // namespace paint
