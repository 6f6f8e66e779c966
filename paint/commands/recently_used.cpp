#include "paint/commands/recently_used.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace paint {
namespace {

const QString kBookmarkSpace =
    QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString kMimeSpace = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kApplication = QStringLiteral("Sketchly");

// The first child element of this name (and attribute value, if given);
// made at the end when there is none.
QDomElement Child(QDomElement parent, const QString& name, const QString& attribute = {},
                  const QString& value = {}) {
  for (QDomElement child = parent.firstChildElement(name); !child.isNull();
       child = child.nextSiblingElement(name))
    if (attribute.isEmpty() || child.attribute(attribute) == value) return child;
  QDomElement made = parent.ownerDocument().createElement(name);
  if (!attribute.isEmpty()) made.setAttribute(attribute, value);
  parent.appendChild(made);
  return made;
}

}  // namespace

bool AddRecentlyUsed(const QString& file, const QDateTime& when) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString path = QDir(folder).filePath(QStringLiteral("recently-used.xbel"));
  QDomDocument list;
  if (QFile in(path); in.exists()) {
    if (!in.open(QIODevice::ReadOnly) || !list.setContent(&in) ||
        list.documentElement().tagName() != QStringLiteral("xbel"))
      return false;
  } else {
    list.appendChild(list.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    list.appendChild(list.createElement(QStringLiteral("xbel")))
        .toElement()
        .setAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
  }
  // The names below use the prefixes both desktops write.
  QDomElement root = list.documentElement();
  if (!root.hasAttribute(QStringLiteral("xmlns:bookmark")))
    root.setAttribute(QStringLiteral("xmlns:bookmark"), kBookmarkSpace);
  if (!root.hasAttribute(QStringLiteral("xmlns:mime")))
    root.setAttribute(QStringLiteral("xmlns:mime"), kMimeSpace);
  const QString stamp = when.toUTC().toString(Qt::ISODateWithMs);
  const QString href =
      QString::fromLatin1(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded());
  QDomElement bookmark = Child(root, QStringLiteral("bookmark"), QStringLiteral("href"), href);
  if (!bookmark.hasAttribute(QStringLiteral("added")))
    bookmark.setAttribute(QStringLiteral("added"), stamp);
  bookmark.setAttribute(QStringLiteral("modified"), stamp);
  bookmark.setAttribute(QStringLiteral("visited"), stamp);
  QDomElement metadata = Child(Child(bookmark, QStringLiteral("info")), QStringLiteral("metadata"),
                               QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
  Child(metadata, QStringLiteral("mime:mime-type"))
      .setAttribute(QStringLiteral("type"), QMimeDatabase().mimeTypeForFile(file).name());
  QDomElement application =
      Child(Child(metadata, QStringLiteral("bookmark:applications")),
            QStringLiteral("bookmark:application"), QStringLiteral("name"), kApplication);
  application.setAttribute(QStringLiteral("exec"), QStringLiteral("'paint %u'"));
  application.setAttribute(QStringLiteral("modified"), stamp);
  application.setAttribute(QStringLiteral("count"),
                           application.attribute(QStringLiteral("count")).toInt() + 1);
  if (!QDir().mkpath(folder)) return false;
  QSaveFile out(path);
  return out.open(QIODevice::WriteOnly) && out.write(list.toByteArray(2)) >= 0 && out.commit();
}

}  // namespace paint
