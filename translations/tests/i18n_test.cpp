// Both programs in every language they have a catalogue for: the texts the
// windows are described with stay exactly as they stand, everything added
// speaks the language, and the menus' access keys stay distinct.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "calc/additions.h"
#include "calc/form1.h"
#include "calc/form1_layout.h"
#include "common/dialogs.h"
#include "common/i18n.h"
#include "common/program.h"
#include "common/runtime_error.h"
#include "common/tests/answered_dialogs.h"
#include "paint/commands/sketchly.h"
#include "paint/form1.h"
#include "paint/form1_layout.h"

namespace {

// Menu texts that read the same in English and in a language.
const QStringList kSameInEnglish = {QStringLiteral("&Image")};

// The access key of a menu text, upper case; a null char for none.
QChar AccessKey(const QString& text) {
  const qsizetype at = text.indexOf(u'&');
  return at >= 0 && at + 1 < text.size() ? text[at + 1].toUpper() : QChar();
}

// Every menu title and item of a window, titles first.
QStringList MenuTexts(common::Form& form) {
  QStringList texts;
  for (QAction* menu : form.MenuBar()->actions()) texts << menu->text();
  for (QAction* menu : form.MenuBar()->actions())
    for (QAction* item : menu->menu()->actions())
      if (!item->isSeparator()) texts << item->text();
  return texts;
}

// The texts of a window's description: its caption, and each control's
// caption and hint as shown.
QStringList DescribedTexts(common::Form& form, const common::FormSpec& layout) {
  QStringList texts{form.windowTitle()};
  for (const common::ControlSpec& control : layout.controls) {
    if (control.kind == common::ControlKind::kCommonDialog) continue;
    QWidget& widget = form.GetControl(control.name, control.index);
    if (auto* label = dynamic_cast<common::Label*>(&widget))
      texts << QString::fromStdString(label->Caption());
    if (auto* button = dynamic_cast<QPushButton*>(&widget)) texts << button->text();
    if (!control.toolTip.empty()) texts << widget.toolTip();
  }
  return texts;
}

struct Windows {
  Windows() {
    paint::Attach(paint);
    calc::Attach(calc);
  }
  paint::Form1 paint;
  calc::Form1 calc;
};

struct Shown {
  QStringList described, menus, added;
};

Shown Show(const QLocale& locale) {
  common::UseLanguage(locale);
  Windows windows;
  windows.paint.Form_Load();
  Shown shown{DescribedTexts(windows.paint, paint::Form1Layout()) +
                  DescribedTexts(windows.calc, calc::Form1Layout()),
              MenuTexts(windows.paint) + MenuTexts(windows.calc),
              {}};
  const common::ProgramInfo info{"paint", "", "Sketchly: draw lines, shapes and freehand strokes.",
                                 "FILE"};
  shown.added
      << common::ParseCommandLine({QStringLiteral("paint"), QStringLiteral("--help")}, info).out
      << common::Tr("faults", common::FaultText(common::Fault::kOverflow))
      << windows.calc.GetButton("Sq").toolTip() << windows.calc.GetButton("Sq").accessibleName()
      << windows.paint.GetPicture("Picture1").accessibleName()
      << windows.paint.GetPicture("Picture2", 1).accessibleName();
  QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Discard |
                           QDialogButtonBox::Cancel);
  for (QAbstractButton* button : buttons.buttons()) shown.added << button->text();
  // The calculator's own message, division by zero, as the window has it.
  auto answers = std::make_shared<common::AnsweredDialogs<>>();
  answers->messageBox = [&shown](const common::MessageBoxRequest& box) {
    shown.described << QString::fromStdString(box.prompt) << QString::fromStdString(box.title);
    return common::kOkAnswer;
  };
  common::SetDialogs(windows.calc, answers);
  for (const char* key : {"Num1", "Divide", "Num0", "Equal"})
    QTest::mouseClick(&windows.calc.GetButton(key), Qt::LeftButton);
  answers->messageBox = nullptr;
  // The memory's "M" says what it holds: Memory > Store.
  windows.calc.MenuBar()->actions()[2]->menu()->actions()[0]->trigger();
  shown.added << windows.calc.findChild<QLabel*>(QStringLiteral("memory"))->toolTip();
  return shown;
}

// The buttons of a real question box with these buttons.
QStringList BoxButtons(int buttons) {
  QStringList texts;
  QTimer::singleShot(0, [&texts] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    for (QAbstractButton* button : box->buttons()) texts << button->text();
    box->reject();
  });
  common::MsgBox(nullptr, "?", buttons | common::kQuestion, "?");
  return texts;
}

TEST(LanguagesTest, QuestionsHaveDistinctAccessKeysInEveryLanguage) {
  QStringList languages{QStringLiteral("C")};
  for (const QString& catalogue :
       QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("sketchly_*.qm")}))
    languages << catalogue.mid(9).chopped(3);
  for (const QString& language : languages) {
    common::UseLanguage(QLocale(language));
    for (const int buttons : {common::kSaveDiscardCancel, common::kYesNo, common::kRecoverDiscard,
                              common::kOverwriteSaveAsCancel}) {
      const QStringList texts = BoxButtons(buttons);
      EXPECT_GE(texts.size(), 2) << language.toStdString();
      QList<QChar> keys;
      for (const QString& text : texts) {
        const QChar key = AccessKey(text);
        EXPECT_FALSE(key.isNull()) << language.toStdString() << ": " << text.toStdString();
        EXPECT_FALSE(keys.contains(key)) << language.toStdString() << ": " << text.toStdString();
        keys << key;
      }
    }
  }
  common::UseLanguage(QLocale::c());
}

TEST(LanguagesTest, DescribedTextsStayAddedTextsSpeakTheLanguageAccessKeysDiffer) {
  const Shown english = Show(QLocale::c());
  const QStringList catalogues = QDir(QStringLiteral(":/i18n")).entryList({"sketchly_*.qm"});
  ASSERT_GE(catalogues.size(), 2) << "German and French at least";
  for (const QString& catalogue : catalogues) {
    const QLocale locale(catalogue.mid(9).chopped(3));
    SCOPED_TRACE(locale.name().toStdString());
    const Shown shown = Show(locale);
    EXPECT_EQ(shown.described.join(u'|').toStdString(), english.described.join(u'|').toStdString());
    EXPECT_TRUE(shown.described.contains(QStringLiteral("Cannot divide by zero")));
    ASSERT_EQ(shown.menus.size(), english.menus.size());
    for (qsizetype i = 0; i < shown.menus.size(); ++i)
      EXPECT_TRUE(kSameInEnglish.contains(english.menus[i]) || shown.menus[i] != english.menus[i])
          << english.menus[i].toStdString();
    for (qsizetype i = 0; i < shown.added.size(); ++i)
      EXPECT_NE(shown.added[i], english.added[i]) << english.added[i].toStdString();
    // --help within 80 columns, its placeholder in the language, and one
    // kind of quotation marks in every complaint (counted by their opening mark).
    const common::ProgramInfo info{"paint", "",
                                   "Sketchly: draw lines, shapes and freehand strokes.", "FILE"};
    const QString help =
        common::ParseCommandLine({QStringLiteral("paint"), QStringLiteral("--help")}, info).out;
    for (const QString& line : help.split(u'\n')) EXPECT_LE(line.size(), 80) << line.toStdString();
    EXPECT_FALSE(help.contains(QStringLiteral("FILE"))) << help.toStdString();
    QString quotes;
    for (const QStringList& arguments :
         {QStringList{"paint", "--bogus"}, QStringList{"paint", "a", "b"},
          QStringList{"paint", "-display"}})
      for (const QChar c : common::ParseCommandLine(arguments, info).err)
        if (QStringLiteral("'\"\u201E\u00AB\u2018").contains(c) && !quotes.contains(c)) quotes += c;
    EXPECT_EQ(quotes.size(), 1) << quotes.toStdString();
    // Menu titles: one access key each, and never E (Alt+E is "&Edit Colors...").
    common::UseLanguage(locale);
    Windows windows;
    for (common::Form* form :
         {static_cast<common::Form*>(&windows.paint), static_cast<common::Form*>(&windows.calc)}) {
      QList<QChar> keys;
      for (QAction* menu : form->MenuBar()->actions()) {
        const QChar key = AccessKey(menu->text());
        EXPECT_FALSE(key.isNull()) << menu->text().toStdString();
        EXPECT_FALSE(keys.contains(key)) << menu->text().toStdString();
        EXPECT_TRUE(form != &windows.paint || key != u'E') << menu->text().toStdString();
        keys << key;
      }
    }
  }
  common::UseLanguage(QLocale::c());
}

}  // namespace
