// The command line of both programs, run as a person runs them: no display
// is needed to ask for help, and every refusal has its own exit status.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <ostream>

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

}  // namespace
