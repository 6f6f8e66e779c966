#pragma once

#include <QString>
#include <string_view>

namespace common {

// The programs keep their texts as UTF-8; Qt shows QStrings.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace common
