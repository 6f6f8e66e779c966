#pragma once

#include <stdexcept>
#include <string>

namespace common {

// The faults a handler can raise. They are reported to the user by the event
// dispatch (Form::Run) and the program goes on.
enum class Fault {
  kOverflow,
  kTypeMismatch,
  kInvalidArgument,
  kDivisionByZero,
  kInvalidOperation,
};

// The text a person reads for a fault: "Overflow", "Type mismatch", ...
const char* FaultText(Fault fault);

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(Fault fault) : std::runtime_error(FaultText(fault)), fault_(fault) {}
  Fault fault() const { return fault_; }

 private:
  Fault fault_;
};

}  // namespace common
