#include "common/runtime_error.h"

// Marks the names for the catalogues; this file is built without Qt too.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace common {

const char* FaultText(Fault fault) {
  switch (fault) {
    case Fault::kOverflow:
      return QT_TRANSLATE_NOOP("faults", "Overflow");
    case Fault::kTypeMismatch:
      return QT_TRANSLATE_NOOP("faults", "Type mismatch");
    case Fault::kInvalidArgument:
      return QT_TRANSLATE_NOOP("faults", "Invalid argument");
    case Fault::kDivisionByZero:
      return QT_TRANSLATE_NOOP("faults", "Division by zero");
    case Fault::kInvalidOperation:
      return QT_TRANSLATE_NOOP("faults", "Invalid operation");
  }
  return QT_TRANSLATE_NOOP("faults", "Invalid operation");
}

}  // namespace common
