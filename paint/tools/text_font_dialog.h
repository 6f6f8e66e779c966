#pragma once

#include <functional>

class QWidget;

namespace paint {

class MarkSettings;

// Tools > Text Font: the family, size in pixels, bold and italic of the
// text tool, chosen in a small dialog; false when cancelled.
bool AskTextFont(QWidget* owner, MarkSettings& settings);
// Tests answer instead of the dialog: the hook changes the settings and
// says whether it was confirmed.
void SetTextFontHook(std::function<bool(MarkSettings&)> hook);

}  // namespace paint
