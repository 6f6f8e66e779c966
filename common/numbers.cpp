#include "common/numbers.h"

#include <QLocale>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "common/runtime_error.h"

namespace common {
namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

// The significant digits of a value rounded to a precision, and the decimal
// exponent of the first one.
struct Decimal {
  std::string digits;  // without trailing zeros; never empty
  int exponent = 0;
};

// The digits come from std::to_chars, which rounds correctly (exact ties to
// even); any float arithmetic of our own would be off in the last digit.
template <typename T>
Decimal RoundedDecimal(T value, int precision) {
  char buffer[64];  // "-d.dddddddddddddde-308" at most
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, precision - 1);
  const std::string_view text(buffer, result.ptr - buffer);
  const size_t e = text.find('e');
  Decimal decimal;
  for (char c : text.substr(0, e)) {
    if (c != '.') decimal.digits += c;
  }
  std::from_chars(text.data() + e + 2, result.ptr, decimal.exponent);
  if (text[e + 1] == '-') decimal.exponent = -decimal.exponent;
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
  return decimal;
}

// The text of a magnitude in %G style: fixed for exponents -4 to precision-1.
std::string Magnitude(const Decimal& decimal, int precision, std::string_view separator,
                      bool zero_before_separator) {
  const std::string& digits = decimal.digits;
  const int exponent = decimal.exponent;
  std::string text;
  if (exponent < -4 || exponent >= precision) {
    text += digits[0];
    if (digits.size() > 1) {
      text += separator;
      text.append(digits, 1);
    }
    text += exponent < 0 ? "E-" : "E+";
    if (std::abs(exponent) < 10) text += '0';
    text += std::to_string(std::abs(exponent));
  } else if (exponent < 0) {
    if (zero_before_separator) text += '0';
    text += separator;
    text.append(static_cast<size_t>(-exponent - 1), '0');
    text += digits;
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    text.append(digits, 0, whole);
    if (digits.size() > whole) {
      text += separator;
      text.append(digits, whole);
    } else {
      text.append(whole - digits.size(), '0');
    }
  }
  return text;
}

template <typename T>
std::string Text(T value, int precision, std::string_view separator, bool zero_before_separator,
                 std::string_view positive_sign) {
  if (std::isnan(value)) return std::string(positive_sign) + "nan";
  // Negative zero prints as zero.
  if (value == 0) return std::string(positive_sign) + "0";
  std::string text(value < 0 ? "-" : positive_sign);
  if (std::isinf(value)) return text + "inf";
  return text +
         Magnitude(RoundedDecimal(value, precision), precision, separator, zero_before_separator);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Gathers a decimal number digit by digit and converts it with correct
// rounding. Input of any length costs linear time and bounded memory: only
// the first kKeptDigits significant digits are kept, and a nonzero digit
// beyond them as a single sticky '1' (no halfway point between two doubles
// needs more than 767 digits, so the rounding stays the same). Exponents
// saturate rather than overflow.
class DecimalReader {
 public:
  void SetNegative() { negative_ = true; }
  void SetNegativeExponent() { negative_exponent_ = true; }

  void Digit(char c, bool after_period) {
    if (digits_.empty() && c == '0') {
      if (after_period) --point_;  // a leading zero only moves the point
      return;
    }
    if (digits_.size() < kKeptDigits) {
      digits_ += c;
    } else if (c != '0') {
      sticky_ = true;
    }
    if (!after_period) ++point_;
  }

  void ExponentDigit(char c) { exponent_ = std::min(exponent_ * 10 + (c - '0'), kExponentLimit); }

  // Throws kOverflow beyond the Double range; underflow gives 0 or a denormal.
  double Value() const {
    std::string digits = digits_;
    // The sticky digit stands right after the kept ones: it marks what was
    // cut off there, and only then may trailing zeros go.
    if (sticky_) digits += '1';
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) return 0;
    // The value is 0.<digits> * 10^scale.
    const int64_t scale = point_ + (negative_exponent_ ? -exponent_ : exponent_);
    // Far beyond either end the answer is plain, and the exponent handed on
    // stays small.
    if (scale > 310) throw RuntimeError(Fault::kOverflow);
    if (scale < -330) return 0;
    const int64_t count = static_cast<int64_t>(digits.size());
    digits += 'e' + std::to_string(scale - count);
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range || std::isinf(value)) {
      // Out of range at a positive scale can only be too large.
      if (scale > 0) throw RuntimeError(Fault::kOverflow);
      return 0;
    }
    return negative_ ? -value : value;
  }

 private:
  static constexpr size_t kKeptDigits = 800;
  static constexpr int64_t kExponentLimit = int64_t{1} << 40;

  std::string digits_;  // significant digits, from the first nonzero one
  int64_t point_ = 0;   // the decimal point's place relative to digits_
  int64_t exponent_ = 0;
  bool negative_ = false;
  bool negative_exponent_ = false;
  bool sticky_ = false;
};

bool IsSkipped(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int16_t CheckedInteger(double whole) {
  if (!(whole >= -32768 && whole <= 32767)) throw RuntimeError(Fault::kOverflow);
  return static_cast<int16_t>(whole);
}

}  // namespace

NumberFormat LocaleNumberFormat() {
  const QLocale locale;
  return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

std::string NumberText(double value) {
  return NumberText(value, LocaleNumberFormat());
}
std::string NumberText(float value) {
  return NumberText(value, LocaleNumberFormat());
}

std::string NumberText(double value, const NumberFormat& format) {
  return Text(value, kDoubleDigits, format.decimal, true, "");
}

std::string NumberText(float value, const NumberFormat& format) {
  return Text(value, kSingleDigits, format.decimal, true, "");
}

std::string SignedNumberText(double value) {
  return Text(value, kDoubleDigits, ".", false, " ");
}

double ValueOfText(std::string_view text) {
  size_t i = 0;
  // The next character that counts, or '\0' at the end.
  const auto next = [&]() {
    while (i < text.size() && IsSkipped(text[i])) ++i;
    return i < text.size() ? text[i] : '\0';
  };
  DecimalReader reader;
  char c = next();
  if (c == '+' || c == '-') {
    if (c == '-') reader.SetNegative();
    ++i;
  }
  bool period = false;
  bool any_digit = false;
  for (c = next();; c = next()) {
    if (IsDigit(c)) {
      reader.Digit(c, period);
      any_digit = true;
    } else if (c == '.' && !period) {
      period = true;
    } else {
      break;
    }
    ++i;
  }
  if (!any_digit) return 0;
  if (c == 'E' || c == 'e') {
    ++i;
    c = next();
    if (c == '+' || c == '-') {
      if (c == '-') reader.SetNegativeExponent();
      ++i;
    }
    for (c = next(); IsDigit(c); c = next()) {
      reader.ExponentDigit(c);
      ++i;
    }
  }
  return reader.Value();
}

double ToDouble(std::string_view text) {
  return ToDouble(text, LocaleNumberFormat());
}

double ToDouble(std::string_view text, const NumberFormat& format) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  size_t i = 0;
  const auto digit_at = [&](size_t at) { return at < text.size() && IsDigit(text[at]); };
  const auto separator_at = [&](std::string_view separator) {
    return !separator.empty() && text.substr(i).starts_with(separator);
  };
  DecimalReader reader;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') reader.SetNegative();
    ++i;
  }
  bool any_digit = false;
  // Grouping must be real grouping: one to three digits, then threes. A
  // separator anywhere else is not a number of the locale ("1.5" in German).
  int groups = 0;
  int run = 0;  // digits since the last group separator
  for (;;) {
    if (digit_at(i)) {
      reader.Digit(text[i++], false);
      any_digit = true;
      ++run;
    } else if (any_digit && !separator_at(format.decimal) && separator_at(format.group) &&
               digit_at(i + format.group.size())) {
      if (groups == 0 ? run > 3 : run != 3) throw RuntimeError(Fault::kTypeMismatch);
      ++groups;
      run = 0;
      i += format.group.size();
    } else {
      break;
    }
  }
  if (groups > 0 && run != 3) throw RuntimeError(Fault::kTypeMismatch);
  if (separator_at(format.decimal)) {
    i += format.decimal.size();
    for (; digit_at(i); ++i) {
      reader.Digit(text[i], true);
      any_digit = true;
    }
  }
  if (!any_digit) throw RuntimeError(Fault::kTypeMismatch);
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') reader.SetNegativeExponent();
      ++i;
    }
    if (!digit_at(i)) throw RuntimeError(Fault::kTypeMismatch);
    for (; digit_at(i); ++i) reader.ExponentDigit(text[i]);
  }
  if (i != text.size()) throw RuntimeError(Fault::kTypeMismatch);
  return reader.Value();
}

int16_t RoundToInteger(double value) {
  if (!(value > -32769 && value < 32768)) throw RuntimeError(Fault::kOverflow);
  // Done by hand so that the floating-point rounding mode does not matter.
  double whole = std::floor(value);
  const double fraction = value - whole;  // exact in this range
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2) != 0)) whole += 1;
  return CheckedInteger(whole);
}

// Every float is exactly a double, so the halves stay halves.
int16_t RoundToInteger(float value) {
  return RoundToInteger(static_cast<double>(value));
}

int16_t FloorToInteger(double value) {
  return CheckedInteger(std::floor(value));
}

double SquareRoot(double value) {
  if (std::isnan(value) || value < 0) throw RuntimeError(Fault::kInvalidArgument);
  return value == 0 ? 0.0 : std::sqrt(value);  // sqrt(-0.0) would be -0.0
}

double CheckFloat(double result) {
  if (std::isinf(result)) throw RuntimeError(Fault::kOverflow);
  if (std::isnan(result)) throw RuntimeError(Fault::kInvalidOperation);
  return result;
}

float CheckFloat(float result) {
  if (std::isinf(result)) throw RuntimeError(Fault::kOverflow);
  if (std::isnan(result)) throw RuntimeError(Fault::kInvalidOperation);
  return result;
}

void ThrowOverflow() {
  throw RuntimeError(Fault::kOverflow);
}

}  // namespace common
