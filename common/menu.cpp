#include "common/menu.h"

#include <QMenu>

#include "common/i18n.h"
#include "common/text.h"

namespace common {

QMenu& MenuNamed(QMenuBar& bar, const QString& title) {
  for (QAction* action : bar.actions())
    if (action->menu() && action->text() == title) return *action->menu();
  return *bar.addMenu(title);
}

QAction* ActionNamed(const QMenu& menu, const char* text) {
  const QString shown = Tr("menus", text);
  for (QAction* action : menu.actions())
    if (action->text() == shown) return action;
  return nullptr;
}

QList<QKeySequence> Shortcuts(QKeySequence::StandardKey key, std::string_view extraKeys) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  for (const QString& extra : ToQString(extraKeys).split(u',', Qt::SkipEmptyParts)) {
    const QKeySequence sequence(extra.trimmed(), QKeySequence::PortableText);
    if (!keys.contains(sequence)) keys.append(sequence);
  }
  return keys;
}

QList<QKeySequence> UsualKeys(QKeySequence::StandardKey key, std::string_view extraKeys) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key).mid(0, 1);
  for (const QKeySequence& extra : Shortcuts(QKeySequence::UnknownKey, extraKeys))
    if (!keys.contains(extra)) keys.append(extra);
  return keys;
}

QString MenuText(std::string_view text) {
  return Tr("menus", text.data()).remove(u'&');
}

}  // namespace common
