#include "calc/display_clipboard.h"

#include "common/i18n.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "calc/entry.h"
#include "calc/form1.h"
#include "common/clipboard.h"
#include "common/dialogs.h"
#include "common/runtime_error.h"

namespace calc {
namespace {

// Longer than any number worth reading; a pasted book is refused unread.
constexpr qsizetype kLongestPaste = 1000;

}  // namespace

std::string CopiedText(const std::string& shown) {
  return shown.starts_with(' ') ? shown.substr(1) : shown;
}

std::optional<std::string> PastedNumber(const QString& text, const common::NumberFormat& locale) {
  if (text.size() > kLongestPaste) return std::nullopt;
  const QString trimmed = text.trimmed();
  // Where digits are grouped by a space, a plain, a no-break and a narrow
  // no-break one are all typed and copied for it.
  QString spaced = trimmed;
  const QString group = QString::fromStdString(locale.group);
  if (group.size() == 1 && group[0].isSpace()) {
    for (const QChar space : {QChar(u' '), QChar(u'\u00A0'), QChar(u'\u202F')})
      spaced.replace(space, group[0]);
  }
  const common::NumberFormat period = common::PeriodFormat();
  for (const auto& [format, number] : {std::pair(period, trimmed), std::pair(locale, spaced)}) {
    try {
      return common::NumberText(common::ToDouble(number.toStdString(), format), period);
    } catch (const common::RuntimeError&) {
    }
  }
  return std::nullopt;
}

DisplayClipboard::DisplayClipboard(Form1& form, Entry& entry)
    : QObject(&form), form_(form), entry_(entry) {
  QWidget& display = form.GetLabel("Display");
  // The display's own actions: their shortcuts work wherever the focus is in
  // the window, and they are its context menu.
  auto* copy = new QAction(common::Tr("calc", "&Copy"), &display);
  copy->setShortcuts(QKeySequence::Copy);
  connect(copy, &QAction::triggered, this, [this] { form_.Run([this] { Copy(); }); });
  auto* paste = new QAction(common::Tr("calc", "&Paste"), &display);
  paste->setShortcuts(QKeySequence::Paste);
  connect(paste, &QAction::triggered, this, [this] { form_.Run([this] { Paste(); }); });
  display.addActions({copy, paste});
  display.setContextMenuPolicy(Qt::ActionsContextMenu);
}

void DisplayClipboard::Copy() {
  if (QApplication::activeModalWidget()) return;
  QApplication::clipboard()->setText(
      QString::fromStdString(CopiedText(form_.GetLabel("Display").Caption())));
}

void DisplayClipboard::Paste() {
  if (QApplication::activeModalWidget()) return;
  // Asked for its formats first: an owner that does not answer costs one
  // wait, not one per kind of text.
  const QMimeData* data = common::ClipboardOffer(&form_, form_.Caption());
  if (!data) return;
  const std::optional<std::string> number =
      PastedNumber(data->hasText() ? data->text() : QString(), common::LocaleNumberFormat());
  if (!number) {
    common::Beep(&form_);
    return;
  }
  entry_.Enter(*number);
}

}  // namespace calc
