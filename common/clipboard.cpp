#include "common/clipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

#include "common/dialogs.h"
#include "common/i18n.h"

namespace common {
namespace {

// An owner that does not answer has had this long once the formats are in.
constexpr qint64 kPatienceMs = 4000;

}  // namespace

const QMimeData* ClipboardOffer(QWidget* owner, std::string_view caption) {
  QElapsedTimer waited;
  waited.start();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const bool offers = data && !data->formats().isEmpty();
  // Nothing offered, at once: an empty clipboard, which the caller refuses.
  if (offers || waited.elapsed() < kPatienceMs) return data;
  MsgBox(owner,
         Tr("common", "The program that holds the clipboard does not answer. Nothing was pasted.")
             .toStdString(),
         kCritical, caption);
  return nullptr;
}

}  // namespace common
