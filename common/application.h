#pragma once

#include <QApplication>

namespace common {

// The programs' application object: it offers each key press to the window
// it is typed in (Form::TakeKey) before the control with the focus sees it.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace common
