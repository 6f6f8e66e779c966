#pragma once

#include <QDateTime>
#include <QString>

namespace paint {

// The desktop's list of recently used files, $XDG_DATA_HOME/recently-used.xbel
// (~/.local/share), which GTK and KDE programs keep and their file choosers
// offer. Adds the file, or counts one more use of it by this program,
// keeping every entry the other programs wrote; the list is replaced whole
// or not at all. False when it could not be read or written: one that is
// not a list of that kind is left as it was.
bool AddRecentlyUsed(const QString& file, const QDateTime& when = QDateTime::currentDateTimeUtc());

}  // namespace paint
