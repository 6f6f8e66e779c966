#include "paint/commands/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "common/dialogs.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "paint/commands/file_menu.h"
#include "paint/commands/recently_used.h"
#include "paint/document/document.h"
#include "paint/form1.h"

namespace paint {
namespace {

const QString kKey = QStringLiteral("recent/files");

// Read anew each time: another window may have changed it, and tests give
// each case a folder of its own.
QSettings Settings() {
  return QSettings(QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                       .filePath(QStringLiteral("sketchly/paint.conf")),
                   QSettings::IniFormat);
}

}  // namespace

RecentFiles::RecentFiles(const Workbench& bench, FileMenu& file)
    : QObject(&bench.form), bench_(bench), file_(file) {
  Form1& form = bench.form;
  QMenu& fileMenu = common::MenuNamed(form.AddMenuBar(), common::Tr("menus", "&File"));
  // Between Open and Save.
  menu_ = new QMenu(common::Tr("menus", "Open &Recent"), &fileMenu);
  fileMenu.insertMenu(common::ActionNamed(fileMenu, "&Save"), menu_);
  connect(&fileMenu, &QMenu::aboutToShow, this, [this] { Refresh(); });
  Document& document = bench.document;
  // Opened (a new document with a file) or saved under a new name.
  document.begun.Add([this, &document] {
    seen_ = document.File();
    if (!seen_.isEmpty()) Add(seen_);
  });
  document.changed.Add([this, &document] {
    if (document.File() == seen_) return;
    seen_ = document.File();
    if (!seen_.isEmpty()) Add(seen_);
  });
  Refresh();
}

QStringList RecentFiles::Files() const {
  return Settings().value(kKey).toStringList();
}

void RecentFiles::Store(const QStringList& files) {
  QSettings settings = Settings();
  settings.setValue(kKey, files);
  settings.sync();
  Refresh();
}

void RecentFiles::Add(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  QStringList files = Files();
  files.removeAll(full);
  files.prepend(full);
  Store(files.mid(0, kKept));
  AddRecentlyUsed(full);  // the desktop's list is a courtesy: a failure changes nothing here
}

void RecentFiles::Open(const QString& path) {
  if (!QFileInfo::exists(path)) {
    bench_.Box(common::Tr("paint", "\"%1\" is no longer there: it is taken off the recent files.")
                   .arg(path),
               common::kCritical);
    QStringList files = Files();
    files.removeAll(path);
    Store(files);
    return;
  }
  file_.OpenFile(path, true);
}

void RecentFiles::Clear() {
  Store({});
}

void RecentFiles::Refresh() {
  // Later: the action being triggered may be one of them.
  for (QAction* action : menu_->actions()) {
    menu_->removeAction(action);
    action->deleteLater();
  }
  const QStringList files = Files();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QFileInfo info(files[i]);
    QString name = info.fileName();
    // Two of one name are told apart by their folders.
    const auto sameName = [&](const QString& other) {
      return other != files[i] && QFileInfo(other).fileName() == info.fileName();
    };
    if (std::any_of(files.begin(), files.end(), sameName))
      name += QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(info.absolutePath()));
    name.replace(u'&', QStringLiteral("&&"));
    QAction* action = menu_->addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(name));
    connect(action, &QAction::triggered, this,
            [this, path = files[i]] { bench_.form.Run([&] { Open(path); }); });
  }
  menu_->addSeparator();
  QAction* clear = menu_->addAction(common::Tr("menus", QT_TRANSLATE_NOOP("menus", "&Clear List")));
  clear->setEnabled(!files.isEmpty());
  connect(clear, &QAction::triggered, this, [this] { bench_.form.Run([this] { Clear(); }); });
  menu_->menuAction()->setEnabled(!files.isEmpty());
}

}  // namespace paint
