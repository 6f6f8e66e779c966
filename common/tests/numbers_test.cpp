#include "common/numbers.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/runtime_error.h"

namespace common {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const NumberFormat kEnglish{".", ","};
const char* const kOverflow = "Overflow";
const char* const kMismatch = "Type mismatch";
using TextCases = std::vector<std::pair<double, const char*>>;

// The result in its shortest exact form, or the text of the fault raised.
template <typename Call>
std::string Outcome(Call call) {
  try {
    char buffer[40];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, call()).ptr);
  } catch (const RuntimeError& error) {
    return error.what();
  }
}

// clang-format off
TEST(NumbersTest, NumberText) {
  // The ...2.5, ...3.5 and 999...9.5 rows are exact ties: they go to the even
  // digit, and rounding up may carry the value into the other form.
  for (auto [value, text] : TextCases{
           {-0.0, "0"}, {1.5, "1.5"}, {-2.5e-10, "-2.5E-10"}, {0.1 + 0.2, "0.3"}, {0.0001, "0.0001"},
           {1e-5, "1E-05"}, {1e14, "100000000000000"}, {1e15, "1E+15"}, {1e308, "1E+308"},
           {std::sqrt(2.0), "1.4142135623731"},
           {5e-324, "4.94065645841247E-324"}, {100000000000002.5, "100000000000002"},
           {100000000000003.5, "100000000000004"}, {999999999999999.5, "1E+15"},
           {9.999999999999999e-5, "0.0001"}, {-kInf, "-inf"}, {kNaN, "nan"}}) {
    EXPECT_EQ(NumberText(value, kEnglish), text) << value;
  }
  for (auto [value, text] : TextCases{
           {1234567, "1234567"}, {12345678, "1.234568E+07"}, {2260.5, "2260.5"},
           {1234568.5, "1234568"}, {1234567.5, "1234568"}, {0.1f, "0.1"}, {3.4e38f, "3.4E+38"}}) {
    EXPECT_EQ(NumberText(static_cast<float>(value), kEnglish), text) << value;
  }
  for (auto [value, text] : TextCases{
           {5, " 5"}, {-0.0, " 0"}, {0.5, " .5"}, {-0.5, "-.5"}, {1e20, " 1E+20"},
           {0.0001, " .0001"}, {1e-5, " 1E-05"}, {-3, "-3"}, {std::sqrt(2.0), " 1.4142135623731"}}) {
    EXPECT_EQ(SignedNumberText(value), text) << value;
  }
}
// clang-format on

TEST(NumbersTest, GermanSeparators) {
  const QLocale saved;
  for (bool from_locale : {false, true}) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const NumberFormat format = from_locale ? LocaleNumberFormat() : NumberFormat{",", "."};
    EXPECT_EQ(from_locale ? NumberText(1234567.25) : NumberText(1234567.25, format), "1234567,25");
    EXPECT_EQ(from_locale ? NumberText(2260.5f) : NumberText(2260.5f, format), "2260,5");
    EXPECT_EQ(SignedNumberText(0.5), " .5");
    for (auto [text, expected] :
         std::vector<std::pair<const char*, const char*>>{{"1,5", "1.5"},
                                                          {" 1.234,5 ", "1234.5"},
                                                          {"12.345.678", "12345678"},
                                                          {"1.5", kMismatch},
                                                          {"1.23.456", kMismatch},
                                                          {"1234.567", kMismatch},
                                                          {"1.234.5678", kMismatch},
                                                          {"1,5,3", kMismatch}}) {
      EXPECT_EQ(Outcome([&] { return from_locale ? ToDouble(text) : ToDouble(text, format); }),
                expected);
    }
  }
  QLocale::setDefault(saved);
}

TEST(NumbersTest, Reading) {
  const std::string zeros(1000, '0');
  const std::string nines(5000, '9');
  // Text, then what ValueOfText and ToDouble make of it.
  const std::vector<std::tuple<std::string, const char*, const char*>> cases = {
      // clang-format off
      {" 51", "51", "51"},        {" 1E+205 ", "1e+205", "1e+205"}, {"1 2 3", "123", kMismatch},
      {"1E+", "1", kMismatch},    {"2e3x", "2000", kMismatch},      {"", "0", kMismatch},
      {"-", "0", kMismatch},      {".", "0", kMismatch},            {"e5", "0", kMismatch},
      {"0..", "0", kMismatch},    {"1.5.3", "1.5", kMismatch},      {"1.5,3", "1.5", kMismatch},
      {",1", "0", kMismatch},     {"1,,2", "1", kMismatch},         {"1,", "1", kMismatch},
      {"--5", "0", kMismatch},    {"- 5", "-5", kMismatch},         {"\t-\n.5\r", "-0.5", kMismatch},
      {"5.", "5", "5"},           {"1,5", "1", kMismatch},          {"1,234.5", "1", "1234.5"},
      {"1e-400", "0", "0"},       {"3e-324", "5e-324", "5e-324"},   {"2e-324", "0", "0"},
      {"-1.5e-3", "-0.0015", "-0.0015"},   {"1E+400", kOverflow, kOverflow},
      {"-1.8e308", kOverflow, kOverflow},  {"1" + std::string(399, '0'), kOverflow, kOverflow},
      {"9007199254740993", "9007199254740992", "9007199254740992"},
      // Digits, leading zeros and exponents far beyond what a double holds.
      {"9007199254740993." + zeros + "1", "9007199254740994", "9007199254740994"},
      {"1" + zeros + "e-1000", "1", "1"},  {"0." + zeros + "1e1001", "1", "1"},
      {"1e" + nines, kOverflow, kOverflow}, {"1e-" + nines, "0", "0"}, {"0e" + nines, "0", "0"},
      // A digit beyond the kept ones must not move up next to the last non-zero digit.
      {"0.1" + std::string(799, '0') + "5", "0.1", "0.1"},
      {"1" + std::string(799, '0') + "5E-800", "1", "1"},
      // clang-format on
  };
  for (const auto& [text, lenient, strict] : cases) {
    EXPECT_EQ(Outcome([&] { return ValueOfText(text); }), lenient) << text.substr(0, 30);
    EXPECT_EQ(Outcome([&] { return ToDouble(text, kEnglish); }), strict) << text.substr(0, 30);
  }
}

TEST(NumbersTest, SignedTextReadsBack) {
  for (double x : {0.5, 123.25, 1e20, -7.125, 1e-5, 1e300}) {
    EXPECT_EQ(ValueOfText(SignedNumberText(x)), x) << x;
  }
  EXPECT_NE(ValueOfText(SignedNumberText(std::sqrt(2.0))), std::sqrt(2.0));
}

TEST(NumbersTest, Faults) {
  // Value, then what RoundToInteger and FloorToInteger make of it.
  const std::vector<std::tuple<double, const char*, const char*>> cases = {
      // clang-format off
      {0.5, "0", "0"},       {1.5, "2", "1"},                {2.5, "2", "2"},
      {-2.5, "-2", "-3"},    {-0.5, "0", "-1"},              {0.49999999999999994, "0", "0"},
      {32767.5, kOverflow, "32767"},   {-32768.5, "-32768", kOverflow},
      {-32768.6, kOverflow, kOverflow}, {1e10, kOverflow, kOverflow}, {kNaN, kOverflow, kOverflow},
      // clang-format on
  };
  for (const auto& [value, rounded, floored] : cases) {
    EXPECT_EQ(Outcome([&] { return RoundToInteger(value); }), rounded) << value;
    EXPECT_EQ(Outcome([&] { return RoundToInteger(static_cast<float>(value)); }), rounded) << value;
    EXPECT_EQ(Outcome([&] { return FloorToInteger(value); }), floored) << value;
  }
  EXPECT_EQ(Outcome([] { return SquareRoot(-1); }), "Invalid argument");
  EXPECT_EQ(Outcome([] { return SquareRoot(-0.0); }), "0");
  EXPECT_EQ(Outcome([] { return CheckFloat(-kInf); }), kOverflow);
  EXPECT_EQ(Outcome([] { return CheckFloat(std::nanf("")); }), "Invalid operation");
  EXPECT_EQ(Outcome([] { return AddInteger(-32767, -1); }), "-32768");
  EXPECT_EQ(Outcome([] { return AddInteger(32767, 1); }), kOverflow);
}

}  // namespace
}  // namespace common
