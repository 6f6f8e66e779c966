#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number conversions both programs print and read with, and the arithmetic
// checks that turn a faulty result into a RuntimeError. Text is UTF-8.
namespace common {

// The separators of the user's locale, as NumberText and ToDouble use them.
struct NumberFormat {
  std::string decimal = ".";
  std::string group = ",";
};

// The separators of the current default QLocale (the user's locale unless a
// test or the program set another default).
NumberFormat LocaleNumberFormat();

// The period form without digit grouping, whatever the locale: what the
// calculator's display is written and read in, so that a text it wrote
// always reads back as the same number.
inline NumberFormat PeriodFormat() {
  return {".", ""};
}

// 15 (Double) or 7 (Single) significant digits, trailing zeros dropped, the
// locale's decimal separator, fixed form for decimal exponents -4 to 14 (6 for
// a Single), scientific ("1.5E+20", "1E-05") otherwise. Never fails.
std::string NumberText(double value);
std::string NumberText(float value);
std::string NumberText(double value, const NumberFormat& format);
std::string NumberText(float value, const NumberFormat& format);

// The digits of NumberText(double) with a period as separator, no zero in
// front of the period below magnitude 1, and one leading blank for zero and
// positive numbers: " 5", " .5", "-.5", " 1E+20".
std::string SignedNumberText(double value);

// Lenient reading: blanks, tabs and line feeds are skipped anywhere; reads an
// optional sign, digits with at most one period, an optional exponent; stops
// at the first character that cannot continue the number. No number gives 0.
// Throws RuntimeError(kOverflow) beyond the Double range.
double ValueOfText(std::string_view text);

// Strict reading in the user's locale: the whole text less leading and
// trailing blanks must be a number. Digit grouping is read only where it
// groups the whole part in threes ("1.234,5" in German, never "1.5"). Throws
// kTypeMismatch or kOverflow.
double ToDouble(std::string_view text);
double ToDouble(std::string_view text, const NumberFormat& format);

// Nearest whole number, halves to even; kOverflow outside the 16-bit range.
int16_t RoundToInteger(double value);
int16_t RoundToInteger(float value);

// Largest whole number not above the value; kOverflow outside the 16-bit range.
int16_t FloorToInteger(double value);

// Non-negative root; the root of 0 (or -0) is 0; kInvalidArgument below 0.
double SquareRoot(double value);

// The fault test made right after a floating-point step: an infinite result
// is kOverflow, a NaN is kInvalidOperation. Returns the value when sound.
double CheckFloat(double result);
float CheckFloat(float result);

[[noreturn]] void ThrowOverflow();

// 16-bit Integer arithmetic that raises kOverflow instead of wrapping. Inline:
// it steps the filled circle's loop thousands of times a click.
inline int16_t AddInteger(int16_t a, int16_t b) {
  const int sum = int{a} + int{b};
  if (sum < INT16_MIN || sum > INT16_MAX) ThrowOverflow();
  return static_cast<int16_t>(sum);
}

}  // namespace common
