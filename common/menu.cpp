#include "common/menu.h"

#include <QMenu>

#include "common/text.h"

namespace common {

QMenu& MenuNamed(QMenuBar& bar, std::string_view title) {
  const QString text = ToQString(title);
  for (QAction* action : bar.actions())
    if (action->menu() && action->text() == text) return *action->menu();
  return *bar.addMenu(text);
}

QList<QKeySequence> Shortcuts(QKeySequence::StandardKey key, std::string_view extraKeys) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  for (const QString& extra : ToQString(extraKeys).split(u',', Qt::SkipEmptyParts)) {
    const QKeySequence sequence(extra.trimmed(), QKeySequence::PortableText);
    if (!keys.contains(sequence)) keys.append(sequence);
  }
  return keys;
}

}  // namespace common
