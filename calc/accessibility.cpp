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

constexpr char kNotificationProperty[] = "calcNotification";

// Gives the notification widgets their role; every other object keeps Qt's own.
QAccessibleInterface* NotificationFactory(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (className != "QWidget" || !widget || !widget->property(kNotificationProperty).toBool())
    return nullptr;
  return new QAccessibleWidget(widget, QAccessible::Notification);
}

}  // namespace

Notification::Notification(QWidget& window, const char* name)
    : QObject(&window), widget_(new QWidget(&window)) {
  static const bool installed = [] {
    QAccessible::installFactory(NotificationFactory);
    return true;
  }();
  (void)installed;
  widget_->setObjectName(QString::fromLatin1(name));
  widget_->setProperty(kNotificationProperty, true);
  widget_->setGeometry(0, 0, 0, 0);
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->hide();
}

void Notification::Tell(const QString& text) {
  if (!QAccessible::isActive()) return;  // no one to tell
  widget_->hide();
  widget_->setAccessibleName(text);
  widget_->show();
}

Accessibility::Accessibility(Form1& form)
    : QObject(&form), notification_(new Notification(form, "DisplayNotification")) {
  for (const Key& key : Keys()) {
    if (!key.spokenName.empty())
      form.GetButton(key.control.name).setAccessibleName(common::Tr("calc", key.spokenName.data()));
  }
  form.GetLabel("Display").changed.Add([this](const std::string& shown) { DisplayChanged(shown); });
}

// The number as copied: a screen reader would say nothing for the blank.
void Accessibility::DisplayChanged(const std::string& shown) {
  notification_->Tell(QString::fromStdString(CopiedText(shown)));
}

}  // namespace calc
