#include "common/program.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QList>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "common/application.h"
#include "common/aside.h"
#include "common/i18n.h"
#include "common/native_path.h"

namespace common {
namespace {

// The options QGuiApplication, QApplication and the X11 plugin take out of
// argv themselves. The parser has to know them, and which ones take a value,
// to tell them from unknown options and from the file argument.
struct QtOption {
  const char* name;
  bool value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},      {"platformpluginpath", true},
    {"platformtheme", true}, {"plugin", true},
    {"qmljsdebugger", true}, {"qwindowgeometry", true},
    {"geometry", true},      {"qwindowtitle", true},
    {"title", true},         {"qwindowicon", true},
    {"icon", true},          {"session", true},
    {"display", true},       {"name", true},
    {"style", true},         {"stylesheet", true},
    {"reverse", false},      {"widgetcount", false},
    {"nograb", false},       {"dograb", false},
    {"sync", false},
};

QString CommandName(const QStringList& arguments, const ProgramInfo& info) {
  const QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
  return name.isEmpty() ? QString::fromLatin1(info.name) : name;
}

// Messages Qt logs while QApplication connects to the window system are held
// back: if the connection fails, one line of our own replaces them and Qt's
// abort.
struct StartupLog {
  QByteArray command;
  QtMessageHandler previous = nullptr;
  struct Entry {
    QtMsgType type;
    QByteArray category;
    QString text;
  };
  QList<Entry> held;
};
StartupLog& Log() {
  static StartupLog log;
  return log;
}

void Forward(QtMsgType type, const QByteArray& category, const QString& text) {
  const QMessageLogContext context(nullptr, 0, nullptr,
                                   category.isEmpty() ? "default" : category.constData());
  if (Log().previous) {
    Log().previous(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
  }
}

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  StartupLog& log = Log();
  if (type != QtFatalMsg) {
    log.held.push_back({type, QByteArray(context.category), text});
    return;
  }
  bool unreachable = false;
  for (const StartupLog::Entry& entry : log.held)
    unreachable = unreachable ||
                  entry.text.contains(QLatin1String("could not connect to display")) ||
                  entry.text.contains(QLatin1String("wl_display"));
  if (unreachable) {
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr, "%s: %s%s\n", log.command.constData(),
                 Tr("common", "cannot connect to a display").toLocal8Bit().constData(),
                 display.isEmpty() ? "" : (" (DISPLAY=" + display + ")").constData());
  } else {
    for (const StartupLog::Entry& entry : log.held) Forward(entry.type, entry.category, entry.text);
    Forward(type, QByteArray(context.category), text);
  }
  // Qt would abort and leave a core dump behind for what is a setup problem.
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments, const ProgramInfo& info) {
  CommandLine line;
  const QString command = CommandName(arguments, info);

  QCommandLineParser parser;
  // Qt's own options are single-dash words (-platform, -style).
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      Tr("common", info.description) + QStringLiteral("\n\n") +
      Tr("common",
         "Qt's own options work too, such as -platform NAME, -display DISPLAY,\n"
         "-style NAME and -reverse."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                Tr("common", "Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   Tr("common", "Show the version and exit."));
  parser.addOption(help);
  parser.addOption(version);
  for (const QtOption& qt : kQtOptions) {
    QCommandLineOption option(QString::fromLatin1(qt.name), QString(),
                              qt.value ? QStringLiteral("VALUE") : QString());
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  QString usage = Tr("common", "Usage: %1 [options]").arg(command);
  if (info.fileArgument) {
    const QString name = Tr("common", info.fileArgument);
    parser.addPositionalArgument(name, Tr("common", "The file to open at start."),
                                 QStringLiteral("[%1]").arg(name));
    usage += QStringLiteral(" [%1]").arg(name);
  }

  const auto fail = [&](const QString& why) {
    line.exitCode = 2;
    line.err = QStringLiteral("%1: %2\n").arg(command, why) +
               Tr("common", "Try '%1 --help' for more information.").arg(command) + u'\n';
    return line;
  };
  // Qt's own words for these, from our catalogue where it has them (with
  // the language's quotation marks, as in our other messages), else from
  // Qt's: the parser asks for them only once an application object exists.
  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty())
      return fail(Tr("QCommandLineParser", "Unknown option '%1'.")
                      .arg(parser.unknownOptionNames().first()));
    // The parser's other complaints name one option between quotes.
    QString error = parser.errorText();
    for (const char* pattern :
         {QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
          QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'.")}) {
      const QString english = QString::fromLatin1(pattern);
      const QString head = english.section(u'%', 0, 0), tail = english.section(u'1', 1);
      if (error.startsWith(head) && error.endsWith(tail))
        error = Tr("QCommandLineParser", pattern)
                    .arg(error.mid(head.size(), error.size() - head.size() - tail.size()));
    }
    return fail(error);
  }
  if (parser.isSet(help)) {
    // Without a QCoreApplication the parser cannot name the program itself.
    QString text = parser.helpText();
    for (const char* heading : {"Options:", "Arguments:"})
      text.replace(QString::fromLatin1(heading), Tr("QCommandLineParser", heading));
    line.exitCode = 0;
    line.out = usage + text.mid(text.indexOf(QLatin1Char('\n')));
    return line;
  }
  if (parser.isSet(version)) {
    line.exitCode = 0;
    line.out = QStringLiteral("%1 %2\n").arg(command, QStringLiteral(PC_VERSION));
    return line;
  }
  const QStringList positional = parser.positionalArguments();
  const qsizetype allowed = info.fileArgument ? 1 : 0;
  if (positional.size() > allowed)
    return fail(Tr("common", "unexpected argument '%1'.").arg(positional.at(allowed)));
  if (!positional.isEmpty()) line.file = positional.first();
  line.displayChosen =
      parser.isSet(QStringLiteral("platform")) || parser.isSet(QStringLiteral("display"));
  return line;
}

namespace {

// Reads argv; prints and returns the exit status when the program should end
// here (--help, --version, a bad argument), otherwise -1 with line filled in.
int ReadCommandLine(int argc, char** argv, const ProgramInfo& info, CommandLine& line) {
  QStringList arguments;
  // A file name need not be UTF-8: its bytes are kept.
  for (int i = 0; i < argc; ++i) arguments << FromNative(QByteArray(argv[i]));
  line = ParseCommandLine(arguments, info);
  Log().command = CommandName(arguments, info).toLocal8Bit();
  std::fputs(line.out.toLocal8Bit().constData(), stdout);
  std::fputs(line.err.toLocal8Bit().constData(), stderr);
  return line.exitCode;
}

// Before the QApplication exists: refuse politely when there is no display
// (instead of letting Qt abort), and keep every pointer move the window
// system reports.
bool PrepareApplication(const ProgramInfo& info, const CommandLine& line) {
  // The window class stays the program's name whatever command started it.
  QCoreApplication::setApplicationName(QString::fromLatin1(info.name));
  QCoreApplication::setApplicationVersion(QStringLiteral(PC_VERSION));
  const bool platformChosen = line.displayChosen || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
  if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fprintf(
        stderr, "%s: %s\n", Log().command.constData(),
        Tr("common", "cannot connect to a display (neither DISPLAY nor WAYLAND_DISPLAY is set)")
            .toLocal8Bit()
            .constData());
    return false;
  }
  Log().previous = qInstallMessageHandler(HoldStartupMessage);
  // Freehand drawing inks one dot per move event, so none may be merged.
  QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
  QCoreApplication::setAttribute(Qt::AA_CompressTabletEvents, false);
  return true;
}

// After the QApplication exists: Qt's messages go out as usual again.
void ApplicationStarted(const ProgramInfo& info) {
  StartupLog& log = Log();
  qInstallMessageHandler(log.previous);
  for (const StartupLog::Entry& entry : log.held) Forward(entry.type, entry.category, entry.text);
  log.held.clear();
  QGuiApplication::setDesktopFileName(QString::fromLatin1(info.desktopId));
}

}  // namespace

int RunProgram(int argc, char** argv, const ProgramInfo& info, const Compose& compose) {
  CommandLine line;
  UseLanguage(QLocale());  // the user's language, from LANGUAGE, LC_ALL, LC_MESSAGES or LANG
  if (const int status = ReadCommandLine(argc, argv, info, line); status >= 0) return status;
  if (!PrepareApplication(info, line)) return 1;
  Application app(argc, argv);
  InstallLanguage();
  ApplicationStarted(info);
  const std::unique_ptr<QWidget> window = compose(line);
  const int status = QApplication::exec();
  if (AsideRunning()) {
    std::fflush(nullptr);
    std::_Exit(status);  // a cancelled decode still runs: leave without tearing down under it
  }
  return status;
}

}  // namespace common
