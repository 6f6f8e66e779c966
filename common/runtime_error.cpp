#include "common/runtime_error.h"

namespace common {

const char* FaultText(Fault fault) {
  switch (fault) {
    case Fault::kOverflow:
      return "Overflow";
    case Fault::kTypeMismatch:
      return "Type mismatch";
    case Fault::kInvalidArgument:
      return "Invalid argument";
    case Fault::kDivisionByZero:
      return "Division by zero";
    case Fault::kInvalidOperation:
      return "Invalid operation";
  }
  return "Invalid operation";
}

}  // namespace common
