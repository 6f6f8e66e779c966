#include "common/i18n.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace common {
namespace {

struct Catalogues {
  std::unique_ptr<QTranslator> qt;
  std::unique_ptr<QTranslator> own;
};

Catalogues& Loaded() {
  static Catalogues catalogues;
  return catalogues;
}

std::unique_ptr<QTranslator> Load(const QLocale& locale, const QString& name,
                                  const QString& folder) {
  auto catalogue = std::make_unique<QTranslator>();
  if (!catalogue->load(locale, name, QStringLiteral("_"), folder)) return nullptr;
  return catalogue;
}

}  // namespace

void UseLanguage(const QLocale& locale) {
  Catalogues& loaded = Loaded();
  if (QCoreApplication::instance()) {
    for (auto* catalogue : {loaded.own.get(), loaded.qt.get()})
      if (catalogue) QCoreApplication::removeTranslator(catalogue);
  }
  loaded.qt =
      Load(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  loaded.own = Load(locale, QStringLiteral("sketchly"), QStringLiteral(":/i18n"));
  if (QCoreApplication::instance()) InstallLanguage();
}

void InstallLanguage() {
  // The one installed last is asked first: ours before Qt's.
  for (auto* catalogue : {Loaded().qt.get(), Loaded().own.get()})
    if (catalogue) QCoreApplication::installTranslator(catalogue);
}

QString Tr(const char* context, const char* text) {
  for (auto* catalogue : {Loaded().own.get(), Loaded().qt.get()}) {
    if (!catalogue) continue;
    QString translated = catalogue->translate(context, text);
    if (!translated.isEmpty()) return translated;
  }
  return QString::fromUtf8(text);
}

}  // namespace common
