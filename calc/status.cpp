#include "calc/status.h"

#include <QLabel>
#include <QStatusBar>

#include "calc/accessibility.h"
#include "calc/form1.h"
#include "calc/keys.h"
#include "common/numbers.h"

namespace calc {

std::string OperatorText(int16_t opCode) {
  static constexpr const char* kKeys[] = {"Plus", "Minus", "Multiple", "Divide"};
  if (opCode < 1 || opCode > 4) return {};
  return std::string(KeyNamed(kKeys[opCode - 1])->control.caption);
}

PendingStatus::PendingStatus(Form1& form)
    : QObject(&form),
      form_(form),
      label_(new QLabel(&form)),
      notification_(new Notification(form, "PendingNotification")) {
  label_->setObjectName(QStringLiteral("pending"));
  label_->setContentsMargins(4, 0, 4, 0);  // off the window's edge
  form.AddStatusBar().addWidget(label_, 1);
  // After the key, and after a failed key was put back as it was.
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if (call.phase != common::HandlerCall::kBefore) Update();
  });
}

void PendingStatus::Update() {
  const QString pending =
      form_.opCode == 0
          ? QString()
          : QString::fromStdString(common::NumberText(form_.firstNum, common::PeriodFormat()) +
                                   ' ' + OperatorText(form_.opCode));
  if (pending == label_->text()) return;
  label_->setText(pending);
  if (!pending.isEmpty()) notification_->Tell(pending);
}

}  // namespace calc
