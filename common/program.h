#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

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

// Reads the command line, then builds the program's window with compose
// (which attaches its additions and starts it) and delivers events until it
// is closed.
using Compose = std::function<std::unique_ptr<QWidget>(const CommandLine& line)>;
int RunProgram(int argc, char** argv, const ProgramInfo& info, const Compose& compose);

}  // namespace common
