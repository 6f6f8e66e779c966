// ToDouble on arbitrary bytes, in a "." locale, its "," mirror image and
// locales whose separators take more than one byte: a finite value or Type
// mismatch / Overflow, the same answer in every locale for the same number,
// and the value ValueOfText and strtod read from it.
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

using common::Fault;
using common::NumberFormat;
using fuzz::Fail;
using fuzz::Format;

const NumberFormat kPeriod{".", ","};
const NumberFormat kComma{",", "."};
// French (no-break space), Swiss (right single quote) and Arabic (two
// separators that share their first byte).
const NumberFormat kWide[] = {
    {",", "\xc2\xa0"},
    {".", "\xe2\x80\x99"},
    {"\xd9\xab", "\xd9\xac"},
};

struct Outcome {
  bool failed = false;
  Fault fault = Fault::kOverflow;
  double value = 0;
};

Outcome Read(std::string_view text, const NumberFormat& format) {
  try {
    const double value = common::ToDouble(text, format);
    if (!std::isfinite(value)) Fail(Format("not finite: %g", value), text);
    return {false, Fault::kOverflow, value};
  } catch (const common::RuntimeError& error) {
    if (error.fault() != Fault::kTypeMismatch && error.fault() != Fault::kOverflow)
      Fail(error.what(), text);
    return {true, error.fault(), 0};
  }
}

bool SameOutcome(const Outcome& a, const Outcome& b) {
  if (a.failed || b.failed) return a.failed == b.failed && a.fault == b.fault;
  return std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
}

std::string Describe(const Outcome& outcome) {
  if (!outcome.failed) return Format("%.17g", outcome.value);
  return outcome.fault == Fault::kOverflow ? "Overflow" : "Type mismatch";
}

// The text with "." and "," written as the format's separators.
std::string Translated(std::string_view text, const NumberFormat& format) {
  std::string out;
  for (const char c : text) {
    if (c == '.') {
      out += format.decimal;
    } else if (c == ',') {
      out += format.group;
    } else {
      out += c;
    }
  }
  return out;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string Without(std::string_view text, char dropped) {
  std::string out;
  for (const char c : text) {
    if (c != dropped) out += c;
  }
  return out;
}

// Only the characters of a plain number and blanks: where strtod and
// ToDouble can be held to the same grammar.
bool IsPlainNumberText(std::string_view text) {
  for (const char c : text) {
    if (!std::strchr("0123456789+-.eE ", c) || c == '\0') return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void CheckSuccess(std::string_view text, double value) {
  const std::string plain = Without(text, ',');
  try {
    const double read = common::ValueOfText(plain);
    if (read != value) Fail(Format("ValueOfText reads %.17g, ToDouble %.17g", read, value), text);
  } catch (const common::RuntimeError& error) {
    Fail(
        std::string("ValueOfText raises ") + error.what() + Format(", ToDouble reads %.17g", value),
        text);
  }
  // A text ToDouble takes is, less its group separators, a whole number for
  // strtod.
  const std::string trimmed(Trimmed(plain));
  char* end = nullptr;
  const double expected = std::strtod(trimmed.c_str(), &end);
  if (trimmed.empty() || *end != '\0') Fail("strtod does not read all of it", text);
  if (expected != value) Fail(Format("strtod reads %.17g, ToDouble %.17g", expected, value), text);
}

// The other way: a number strtod reads whole, written with no group
// separator and no character strtod would read as anything but a decimal
// number, is a number for ToDouble too.
void CheckStrtodNumberAccepted(std::string_view text, const Outcome& got) {
  if (!IsPlainNumberText(text)) return;
  const std::string trimmed(Trimmed(text));
  if (trimmed.empty()) return;
  char* end = nullptr;
  const double expected = std::strtod(trimmed.c_str(), &end);
  if (*end != '\0') return;
  if (std::isinf(expected)) {
    if (!got.failed || got.fault != Fault::kOverflow)
      Fail("strtod overflows, ToDouble gives " + Describe(got), text);
  } else if (got.failed) {
    Fail(Format("strtod reads %.17g, ToDouble raises ", expected) + Describe(got), text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Outcome period = Read(text, kPeriod);

  // "," and "." swapped, read with the swapped format: the same number.
  std::string swapped(text);
  for (char& c : swapped) {
    if (c == '.') {
      c = ',';
    } else if (c == ',') {
      c = '.';
    }
  }
  const Outcome comma = Read(swapped, kComma);
  if (!SameOutcome(comma, period))
    Fail("the \",\" locale reads " + Describe(comma) + ", the \".\" one " + Describe(period), text);

  if (IsAscii(text)) {
    for (const NumberFormat& format : kWide) {
      const Outcome wide = Read(Translated(text, format), format);
      if (!SameOutcome(wide, period))
        Fail("separators " + format.decimal + " " + format.group + " give " + Describe(wide) +
                 ", \".\" gives " + Describe(period),
             text);
    }
  } else {
    for (const NumberFormat& format : kWide) Read(text, format);
  }

  if (!period.failed) CheckSuccess(text, period.value);
  CheckStrtodNumberAccepted(text, period);
  return 0;
}
