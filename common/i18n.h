#pragma once

#include <QLocale>
#include <QString>

namespace common {

// The catalogues of one language: Qt's own (its dialogs, buttons and
// command-line texts) and the programs' (":/i18n/sketchly_LANG.qm", built
// into each program). Only the catalogues of that language are read.
// Usable before the application object exists; once it does, they are
// installed so that Qt's dialogs speak the language too.
void UseLanguage(const QLocale& locale);
void InstallLanguage();

// A text of the programs' own, in the language in use. The context and the
// text are those of the catalogue (marked where they stand with
// QT_TRANSLATE_NOOP when they live in a table).
QString Tr(const char* context, const char* text);

}  // namespace common
