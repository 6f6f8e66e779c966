#pragma once

#include <QApplication>
#include <cstdio>

namespace common {

// What every program does before its QApplication exists: refuse politely
// when there is no display (instead of letting Qt abort), and keep every
// pointer move the window system reports.
bool PrepareApplication(const char* program);

// Builds the window Form (it has no arguments), loads and shows it, then
// delivers events until it is closed. desktopId names the program's menu
// entry, which a Wayland desktop matches windows to.
template <class Form>
int RunProgram(int argc, char** argv, const char* program, const char* desktopId) {
  if (!PrepareApplication(program)) return 1;
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopId));
  Form form;
  form.Start();
  return QApplication::exec();
}

}  // namespace common
