#include "calc/memory.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "calc/entry.h"
#include "calc/form1.h"
#include "common/i18n.h"
#include "common/numbers.h"
#include "common/text.h"

namespace calc {
namespace {

// Ctrl with a letter: the plain letters are the calculator's own keys.
constexpr common::MenuItem<Memory> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&Memory"), QT_TRANSLATE_NOOP("menus", "Memory &Store"),
     QKeySequence::UnknownKey, "Ctrl+M", &Memory::Store},
    {QT_TRANSLATE_NOOP("menus", "&Memory"), QT_TRANSLATE_NOOP("menus", "Memory &Recall"),
     QKeySequence::UnknownKey, "Ctrl+R", &Memory::Recall},
    {QT_TRANSLATE_NOOP("menus", "&Memory"), QT_TRANSLATE_NOOP("menus", "Memory &Add"),
     QKeySequence::UnknownKey, "Ctrl+P", &Memory::Add},
    {QT_TRANSLATE_NOOP("menus", "&Memory"), QT_TRANSLATE_NOOP("menus", "Memory S&ubtract"),
     QKeySequence::UnknownKey, "Ctrl+Q", &Memory::Subtract},
    {QT_TRANSLATE_NOOP("menus", "&Memory"), QT_TRANSLATE_NOOP("menus", "Memory &Clear"),
     QKeySequence::UnknownKey, "Ctrl+L", &Memory::Clear},
};
constexpr size_t kRecall = 1, kClear = 4;

}  // namespace

Memory::Memory(Form1& form, Entry& entry)
    : QObject(&form),
      form_(form),
      entry_(entry),
      actions_(common::AddMenus<Memory>(form, *this, kMenu)),
      indicator_(new QLabel(&form)) {
  indicator_->setObjectName(QStringLiteral("memory"));
  indicator_->setContentsMargins(4, 0, 4, 0);  // off the window's edge
  form.AddStatusBar().addPermanentWidget(indicator_);
  Keep(std::nullopt);
}

std::span<const common::MenuItem<Memory>> Memory::MenuItems() {
  return kMenu;
}

double Memory::Shown() const {
  return common::ValueOfText(form_.GetLabel("Display").Caption());
}

// Each new value is computed and checked before it is kept: one that fails
// leaves the memory as it was.
void Memory::Store() {
  Keep(Shown());
}

void Memory::Recall() {
  if (value_) entry_.Enter(*value_);
}

void Memory::Add() {
  Keep(common::CheckFloat(value_.value_or(0) + Shown()));
}

void Memory::Subtract() {
  Keep(common::CheckFloat(value_.value_or(0) - Shown()));
}

void Memory::Clear() {
  Keep(std::nullopt);
}

void Memory::Keep(std::optional<double> value) {
  value_ = value;
  actions_[kRecall]->setEnabled(value_.has_value());
  actions_[kClear]->setEnabled(value_.has_value());
  indicator_->setText(value_ ? QStringLiteral("M") : QString());
  const QString held =
      value_ ? common::Tr("calc", "Memory holds %1")
                   .arg(common::ToQString(common::NumberText(*value_, common::PeriodFormat())))
             : QString();
  indicator_->setToolTip(held);
  indicator_->setAccessibleName(held);
}

}  // namespace calc
