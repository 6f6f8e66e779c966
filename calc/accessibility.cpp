#include "calc/accessibility.h"

#include "common/i18n.h"

#include <QAccessibleWidget>
#include <QWidget>

#include "calc/display_clipboard.h"
#include "calc/form1.h"
#include "calc/keys.h"
#include "common/text.h"

namespace calc {
namespace {

constexpr char kNotificationName[] = "DisplayNotification";

// Gives the notification widget its role; every other object keeps Qt's own.
QAccessibleInterface* NotificationFactory(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (className != "QWidget" || !widget || widget->objectName() != kNotificationName)
    return nullptr;
  return new QAccessibleWidget(widget, QAccessible::Notification);
}

}  // namespace

Accessibility::Accessibility(Form1& form) : QObject(&form), notification_(new QWidget(&form)) {
  for (const Key& key : Keys()) {
    if (!key.spokenName.empty())
      form.GetButton(key.control.name).setAccessibleName(common::Tr("calc", key.spokenName.data()));
  }
  static const bool installed = [] {
    QAccessible::installFactory(NotificationFactory);
    return true;
  }();
  (void)installed;
  notification_->setObjectName(kNotificationName);
  notification_->setGeometry(0, 0, 0, 0);
  notification_->setFocusPolicy(Qt::NoFocus);
  notification_->hide();
  form.GetLabel("Display").changed.Add([this](const std::string& shown) { DisplayChanged(shown); });
}

void Accessibility::DisplayChanged(const std::string& shown) {
  if (!QAccessible::isActive()) return;  // no one to tell
  // The number as copied: a screen reader would say nothing for the blank.
  notification_->hide();
  notification_->setAccessibleName(QString::fromStdString(CopiedText(shown)));
  notification_->show();
}

}  // namespace calc
