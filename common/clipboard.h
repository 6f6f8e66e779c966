#pragma once

#include <string_view>

class QMimeData;
class QWidget;

namespace common {

// What the clipboard offers, asked once. The program that holds it may not
// answer: Qt waits 5 s for it on X, and then this is null and says so in a
// box titled with the caption ("Nothing was pasted").
const QMimeData* ClipboardOffer(QWidget* owner, std::string_view caption);

}  // namespace common
