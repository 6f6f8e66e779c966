// ValueOfText on arbitrary bytes: it returns a finite double or raises
// Overflow, reads what glibc's strtod reads from the same number, and blanks
// anywhere do not change what it reads.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/numbers.h"
#include "common/runtime_error.h"
#include "fuzz/fuzz_check.h"

namespace {

using fuzz::Fail;
using fuzz::Format;

// What ValueOfText gave: a value, or Overflow.
struct Outcome {
  bool overflow = false;
  double value = 0;
};

Outcome Read(std::string_view text) {
  try {
    const double value = common::ValueOfText(text);
    if (!std::isfinite(value)) Fail(Format("not finite: %g", value), text);
    return {false, value};
  } catch (const common::RuntimeError& error) {
    if (error.fault() != common::Fault::kOverflow) Fail(error.what(), text);
    return {true, 0};
  }
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number at the front of the text as strtod takes it: blanks dropped,
// then sign, digits with at most one period, and an exponent only when it
// has digits (ValueOfText reads "1E" and "1E+" as 1, as strtod does).
std::string Plain(std::string_view text) {
  std::string plain;
  for (const char c : text) {
    if (!IsBlank(c)) plain += c;
  }
  size_t i = 0;
  const auto at = [&](size_t k) { return k < plain.size() ? plain[k] : '\0'; };
  if (at(i) == '+' || at(i) == '-') ++i;
  bool period = false;
  bool digit = false;
  for (;; ++i) {
    if (IsDigit(at(i))) {
      digit = true;
    } else if (at(i) == '.' && !period) {
      period = true;
    } else {
      break;
    }
  }
  if (!digit) return "0";
  size_t end = i;
  if (at(i) == 'e' || at(i) == 'E') {
    size_t k = i + 1;
    if (at(k) == '+' || at(k) == '-') ++k;
    if (IsDigit(at(k))) {
      while (IsDigit(at(k))) ++k;
      end = k;
    }
  }
  return plain.substr(0, end);
}

void CheckAgainstStrtod(std::string_view text, const Outcome& got) {
  const std::string plain = Plain(text);
  char* end = nullptr;
  errno = 0;
  const double expected = std::strtod(plain.c_str(), &end);
  if (*end != '\0') Fail("reference number not fully read by strtod: " + plain, text);
  if (std::isinf(expected)) {
    if (!got.overflow) Fail(Format("read %.17g where strtod overflows", got.value), text);
  } else if (got.overflow) {
    Fail(Format("Overflow where strtod reads %.17g", expected), text);
  } else if (got.value != expected) {
    Fail(Format("read %.17g, strtod reads %.17g", got.value, expected), text);
  }
}

bool SameOutcome(const Outcome& a, const Outcome& b) {
  return a.overflow == b.overflow && std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
}

// Blanks of every kind: one between every two characters and at both ends,
// and a run of them in the middle.
void CheckBlanksIgnored(std::string_view text, const Outcome& got) {
  static constexpr char kBlanks[] = {' ', '\t', '\n', '\r'};
  std::string spread(1, ' ');
  for (size_t i = 0; i < text.size(); ++i) {
    spread += text[i];
    spread += kBlanks[i % 4];
  }
  const Outcome spread_got = Read(spread);
  if (!SameOutcome(spread_got, got))
    Fail(Format("blanks between the characters change %.17g to %.17g", got.value, spread_got.value),
         text);

  std::string middle(text);
  middle.insert(middle.size() / 2, " \t\r\n ");
  const Outcome middle_got = Read(middle);
  if (!SameOutcome(middle_got, got))
    Fail(Format("blanks in the middle change %.17g to %.17g", got.value, middle_got.value), text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Outcome got = Read(text);
  CheckAgainstStrtod(text, got);
  CheckBlanksIgnored(text, got);
  return 0;
}
