#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// File names on Linux are bytes, not text. A name that is not UTF-8 keeps
// each byte that is not part of a character as a lone surrogate
// (U+DC80 + byte) in a QString, so that it can still be opened and saved;
// Qt's own conversion would turn those bytes into U+FFFD and lose the file.
QString FromNative(const QByteArray& bytes);
QByteArray ToNative(const QString& path);

// Qt's file classes cannot reach a file of this name.
bool NativeOnly(const QString& path);

}  // namespace common
