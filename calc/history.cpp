#include "calc/history.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <string>

#include "calc/entry.h"
#include "calc/form1.h"
#include "calc/status.h"
#include "common/i18n.h"
#include "common/numbers.h"

namespace calc {
namespace {

constexpr common::MenuItem<History> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "Hi&story"), QT_TRANSLATE_NOOP("menus", "&Copy History"),
     QKeySequence::UnknownKey, "Ctrl+Shift+C", &History::Copy},
    {QT_TRANSLATE_NOOP("menus", "Hi&story"), QT_TRANSLATE_NOOP("menus", "C&lear History"),
     QKeySequence::UnknownKey, "", &History::Clear},
};

// As the display writes numbers, in parentheses where a sign or an exponent
// would blur what a root or a square applies to.
QString Number(double value) {
  return QString::fromStdString(common::NumberText(value, common::PeriodFormat()));
}
QString Argument(double value) {
  const QString text = Number(value);
  return text.contains(u'-') || text.contains(u'E') ? u'(' + text + u')' : text;
}

}  // namespace

History::History(Form1& form, Entry& entry)
    : QObject(&form),
      form_(form),
      entry_(entry),
      actions_(common::AddMenus<History>(form, *this, kMenu)),
      menu_(common::MenuNamed(*form.MenuBar(), common::Tr("menus", kMenu[0].menu.data()))) {
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if (call.phase == common::HandlerCall::kAfter) KeyDone(call.control);
  });
  Show();
}

std::span<const common::MenuItem<History>> History::MenuItems() {
  return kMenu;
}

// What the key computed is read from the fields it left: equals computed
// unless nothing was pending or the division was by zero.
void History::KeyDone(std::string_view control) {
  QString text;
  if (control == "Equal") {
    if (form_.opCode < 1 || form_.opCode > 4 || (form_.opCode == 4 && form_.secondNum == 0)) return;
    text = Number(form_.firstNum) + u' ' + QString::fromStdString(OperatorText(form_.opCode)) +
           u' ' + Number(form_.secondNum);
  } else if (control == "Sq") {
    text = QStringLiteral("√") + Argument(form_.firstNum);
  } else if (control == "Square") {
    text = Argument(form_.firstNum) + QStringLiteral("²");
  } else {
    return;
  }
  lines_.push_front({text + QStringLiteral(" = ") + Number(form_.resultNum), form_.resultNum});
  if (lines_.size() > kKept) lines_.pop_back();
  Show();
}

void History::Choose(size_t line) {
  if (line < lines_.size()) entry_.Enter(lines_[line].result);
}

void History::Copy() {
  QString text;
  for (const Line& line : lines_) text += line.text + u'\n';
  QApplication::clipboard()->setText(text);
}

void History::Clear() {
  lines_.clear();
  Show();
}

// The menu anew: the lines above Copy and Clear, which have nothing to act on
// without them.
void History::Show() {
  qDeleteAll(shown_);
  shown_.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    QAction* action = new QAction(lines_[i].text, &menu_);
    connect(action, &QAction::triggered, this, [this, i] { form_.Run([this, i] { Choose(i); }); });
    shown_.append(action);
  }
  menu_.insertActions(actions_.front(), shown_);
  if (!lines_.empty()) shown_.append(menu_.insertSeparator(actions_.front()));
  for (QAction* action : actions_) action->setEnabled(!lines_.empty());
}

}  // namespace calc
