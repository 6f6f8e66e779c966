#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace common {

// One line of Help > Keyboard Shortcuts: a command and its usual keys.
struct ShortcutRow {
  QString command;
  QString keys;
};

// The program's keys as a two-column table, in a window of its own that
// stays open beside the program's.
void ShowShortcuts(QWidget* owner, const QList<ShortcutRow>& rows);

// Help > About: the program's icon, name and version, one sentence, the
// licence and the Qt version it runs on.
void ShowAbout(QWidget* owner, const QString& name, const QString& sentence);

}  // namespace common
