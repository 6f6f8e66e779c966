#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>

#include <functional>

namespace common {

// What a program tells its command line and the desktop about itself.
struct ProgramInfo {
  const char* name;                    // the program's own name (window class, --version)
  const char* desktopId;               // its menu entry, which a Wayland desktop matches windows to
  const char* description;             // one line for --help
  const char* fileArgument = nullptr;  // nullptr: no positional argument
};

// The command line, read before any window system is touched.
struct CommandLine {
  int exitCode = -1;           // 0 or more: print out and err, then end with this status
  QString out;                 // for standard output
  QString err;                 // for standard error
  QString file;                // the file argument, when one was given
  bool displayChosen = false;  // -platform or -display names where windows go
};

// arguments[0] is the command as invoked; it names the program in messages.
CommandLine ParseCommandLine(const QStringList& arguments, const ProgramInfo& info);

// Reads argv; prints and returns the exit status when the program should end
// here (--help, --version, a bad argument), otherwise -1 with line filled in.
int ReadCommandLine(int argc, char** argv, const ProgramInfo& info, CommandLine& line);

// What every program does before its QApplication exists: refuse politely
// when there is no display (instead of letting Qt abort), and keep every
// pointer move the window system reports.
bool PrepareApplication(const ProgramInfo& info, const CommandLine& line);

// After the QApplication exists: Qt's messages go out as usual again.
void ApplicationStarted(const ProgramInfo& info);

// Builds the window Form (it has no arguments), loads and shows it, opens the
// file named on the command line, then delivers events until it is closed.
template <class Form>
int RunProgram(int argc, char** argv, const ProgramInfo& info,
               std::function<void(Form&, const QString& file)> openFile = {}) {
  CommandLine line;
  if (const int status = ReadCommandLine(argc, argv, info, line); status >= 0) return status;
  if (!PrepareApplication(info, line)) return 1;
  QApplication app(argc, argv);
  ApplicationStarted(info);
  Form form;
  form.Start();
  if (openFile && !line.file.isEmpty()) openFile(form, line.file);
  return QApplication::exec();
}

}  // namespace common
