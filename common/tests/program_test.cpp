// The command line of both programs, run as a person runs them: no display
// is needed to ask for help, and every refusal has its own exit status.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <ostream>

#include "common/native_path.h"

namespace {

struct Case {
  const char* program;  // path of the built program
  QStringList arguments;
  const char* display;  // DISPLAY, or nullptr for none (QT_QPA_PLATFORM is never set)
  int exitCode;
  const char* out;  // patterns for the whole of standard output and error
  const char* err;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << QFileInfo(c.program).fileName().toStdString() << ' '
      << c.arguments.join(' ').toStdString();
}

const Case kCases[] = {
    {PC_CALC, {"--help"}, nullptr, 0, "Usage: calc \\[options\\]\n.*-v, --version.*", ""},
    {PC_PAINT, {"-h"}, nullptr, 0, "Usage: paint \\[options\\] \\[FILE\\]\n.*FILE .*", ""},
    {PC_CALC, {"--version"}, nullptr, 0, "calc " PC_VERSION "\n", ""},
    {PC_PAINT,
     {"-platform", "offscreen", "-reverse", "-v"},
     nullptr,
     0,
     "paint " PC_VERSION "\n",
     ""},
    {PC_CALC,
     {"--frobnicate"},
     nullptr,
     2,
     "",
     "calc: Unknown option 'frobnicate'.\nTry 'calc --help' for more information.\n"},
    {PC_CALC, {"-style"}, nullptr, 2, "", "calc: Missing value after '-style'.\n.*"},
    {PC_CALC, {"12"}, nullptr, 2, "", "calc: unexpected argument '12'.\n.*"},
    {PC_PAINT, {"a.png", "b.png"}, nullptr, 2, "", "paint: unexpected argument 'b.png'.\n.*"},
    {PC_CALC, {}, nullptr, 1, "", "calc: cannot connect to a display .*\n"},
    {PC_PAINT,
     {"a.png"},
     ":4711",
     1,
     "",
     "paint: cannot connect to a display \\(DISPLAY=:4711\\)\n"},
};

class CommandLineTest : public testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, AnswersWithItsStatus) {
  const Case& c = GetParam();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  if (c.display) env.insert("DISPLAY", c.display);
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(c.program, c.arguments);
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), c.exitCode);
  const auto whole = [](const char* pattern) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::DotMatchesEverythingOption);
  };
  const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
  const QString err = QString::fromLocal8Bit(process.readAllStandardError());
  EXPECT_TRUE(whole(c.out).match(out).hasMatch()) << out.toStdString();
  EXPECT_TRUE(whole(c.err).match(err).hasMatch()) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, CommandLineTest, testing::ValuesIn(kCases));

// File names come as bytes; every one must come back as it went, and one
// that is UTF-8 must read as its text.
TEST(NativePathTest, EveryNameComesBackAsItsBytes) {
  const struct {
    QByteArray bytes;
    const char16_t* text;  // as shown, or nullptr when it has stray bytes
  } rows[] = {
      {"/tmp/plain.png", u"/tmp/plain.png"},
      {"/tmp/caf\xc3\xa9 \xf0\x9f\x8e\xa8.png", u"/tmp/café 🎨.png"},
      {"/tmp/caf\xe9.png", nullptr},                // Latin-1
      {"/tmp/\xc3(\xed\xa0\x80\xc0\xaf", nullptr},  // cut short, a surrogate, overlong
      {"/tmp/\xf4\x90\x80\x80\xff\xfe", nullptr},   // beyond Unicode, never UTF-8
      {"\xed\xb2\x80", nullptr},                    // the encoding of a stray byte's own stand-in
  };
  for (const auto& row : rows) {
    const QString text = common::FromNative(row.bytes);
    EXPECT_EQ(common::ToNative(text), row.bytes) << row.bytes.toHex().toStdString();
    EXPECT_EQ(common::NativeOnly(text), row.text == nullptr) << row.bytes.toHex().toStdString();
    if (row.text) {
      EXPECT_EQ(text, QString::fromUtf16(row.text));
    }
  }
}

}  // namespace
