// NumberText and SignedNumberText on any double and float: the text printf's
// %G gives for 15 (7) digits, read back by ValueOfText and ToDouble as the
// value rounded to those digits, and stable under a second round trip.
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

using common::NumberFormat;
using fuzz::Fail;
using fuzz::Format;

const NumberFormat kPeriod{".", ","};
const NumberFormat kComma{",", "."};

// The value rounded to a number of significant digits, exactly: printf's
// digits read back by strtod. Infinite when the rounding passes the Double
// range.
double Rounded(double value, int digits) {
  return std::strtod(Format("%.*e", digits - 1, value).c_str(), nullptr);
}

// printf's %G: fixed from exponent -4 to digits-1, trailing zeros dropped,
// "E+20" / "E-05" exponents.
std::string Reference(double value, int digits) {
  if (value == 0) return "0";  // printf keeps the sign of -0
  return Format("%.*G", digits, value);
}

// SignedNumberText is NumberText with a blank for the sign of a positive
// number and no zero before the period.
std::string SignedFrom(const std::string& text) {
  const bool negative = text[0] == '-';
  std::string magnitude = text.substr(negative ? 1 : 0);
  if (magnitude.starts_with("0.")) magnitude.erase(0, 1);
  return (negative ? "-" : " ") + magnitude;
}

std::string WithComma(std::string text) {
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

// The ways the programs read a number text back.
struct Reader {
  const char* name;
  double (*read)(const std::string& text);
};
const Reader kReaders[] = {
    {"ValueOfText", [](const std::string& text) { return common::ValueOfText(text); }},
    {"ToDouble", [](const std::string& text) { return common::ToDouble(text, kPeriod); }},
    {"ToDouble in a \",\" locale",
     [](const std::string& text) { return common::ToDouble(WithComma(text), kComma); }},
};

// Every reader gives the rounded value for the text, or Overflow when the
// rounding went past the largest Double.
void CheckReadBack(const std::string& text, double expected) {
  for (const Reader& reader : kReaders) {
    try {
      const double read = reader.read(text);
      if (read != expected)
        Fail(Format("%s reads %.17g, expected %.17g", reader.name, read, expected), text);
    } catch (const common::RuntimeError& error) {
      if (!std::isinf(expected) || error.fault() != common::Fault::kOverflow)
        Fail(Format("%s raises %s, expected %.17g", reader.name, error.what(), expected), text);
    }
  }
}

void CheckNonFinite(double value, const std::string& text, const std::string& signed_text) {
  const std::string expected = std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
  if (text != expected) Fail("not " + expected, text);
  if (signed_text != (expected[0] == '-' ? expected : " " + expected))
    Fail("signed text of " + expected, signed_text);
}

void CheckDouble(double value) {
  const std::string text = common::NumberText(value, kPeriod);
  const std::string signed_text = common::SignedNumberText(value);
  const std::string comma_text = common::NumberText(value, kComma);
  if (comma_text != WithComma(text)) Fail("\",\" text is not the \".\" one", comma_text);
  if (!std::isfinite(value)) return CheckNonFinite(value, text, signed_text);

  const std::string reference = Reference(value, 15);
  if (text != reference) Fail("printf %.15G gives " + reference, text);
  if (signed_text != SignedFrom(text)) Fail("signed text differs from " + text, signed_text);

  const double rounded = Rounded(value, 15);
  CheckReadBack(text, rounded);
  CheckReadBack(signed_text, rounded);
  if (std::isinf(rounded)) return;
  // The digits are already 15: a second round trip changes nothing.
  const std::string again = common::SignedNumberText(rounded);
  if (again != signed_text) Fail("second round trip prints " + again, signed_text);
  if (common::ValueOfText(again) != rounded) Fail("second round trip reads another value", again);
}

void CheckFloat(float value) {
  const std::string text = common::NumberText(value, kPeriod);
  const std::string comma_text = common::NumberText(value, kComma);
  if (comma_text != WithComma(text)) Fail("\",\" text is not the \".\" one", comma_text);
  if (!std::isfinite(value)) {
    const std::string expected = std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    if (text != expected) Fail("not " + expected, text);
    return;
  }
  const std::string reference = Reference(value, 7);
  if (text != reference) Fail("printf %.7G gives " + reference, text);
  const double rounded = Rounded(value, 7);
  CheckReadBack(text, rounded);
  // Printed again as a Double, the seven digits come back unchanged.
  const std::string as_double = common::NumberText(rounded, kPeriod);
  if (common::ValueOfText(as_double) != rounded)
    Fail("second round trip reads another value", as_double);
}

}  // namespace

// The first byte chooses how the rest becomes numbers: raw bits (every NaN,
// infinity and denormal is reachable) or text for strtod/strtof (decimal
// halfway cases such as 1000000000000005 are not reachable through bits by
// chance).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool as_text = data[0] & 1;
  ++data;
  --size;
  double number = 0;
  float single = 0;
  if (as_text) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    number = std::strtod(text.c_str(), nullptr);
    single = std::strtof(text.c_str(), nullptr);
  } else {
    unsigned char bits[12] = {};
    std::memcpy(bits, data, size < sizeof bits ? size : sizeof bits);
    std::memcpy(&number, bits, sizeof number);
    std::memcpy(&single, bits + sizeof number, sizeof single);
  }
  CheckDouble(number);
  CheckDouble(static_cast<double>(single));
  CheckFloat(single);
  CheckFloat(static_cast<float>(number));
  return 0;
}
