#include "common/program.h"

#include <QCoreApplication>

namespace common {

bool PrepareApplication(const char* program) {
  const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
  if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "%s: no display found; set DISPLAY or use xvfb-run\n", program);
    return false;
  }
  // Freehand drawing inks one dot per move event, so none may be merged.
  QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
  QCoreApplication::setAttribute(Qt::AA_CompressTabletEvents, false);
  return true;
}

}  // namespace common
