#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "paint/commands/workbench.h"

class QMenu;

namespace paint {

class FileMenu;

// File > Open Recent: the last files opened or saved, most recent first,
// remembered between runs ($XDG_CONFIG_HOME/sketchly/paint.conf) and shared
// by every window. Each also enters the desktop's recently used list. A
// file that is gone when chosen is said so and taken off the list.
class RecentFiles : public QObject {
 public:
  static constexpr int kKept = 10;

  RecentFiles(const Workbench& bench, FileMenu& file);

  QStringList Files() const;
  void Add(const QString& path);
  void Open(const QString& path);
  void Clear();

 private:
  void Store(const QStringList& files);
  // The submenu as the list now stands.
  void Refresh();

  Workbench bench_;
  FileMenu& file_;
  QMenu* menu_;
  QString seen_;  // the document's file, as last heard
};

}  // namespace paint
