#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <cstddef>
#include <deque>
#include <span>
#include <string_view>
#include <vector>

#include "common/menu.h"

class QAction;
class QMenu;

namespace calc {

class Entry;
class Form1;

// The History menu: the last 20 calculations, newest first, each as a line
// ("12 + 3 = 15", "√9 = 3", "(-3)² = 9"): every equals that computed a result,
// repeated equals included, and every square root and square. Choosing one
// shows its result as if it had been typed; Copy History puts the lines on
// the clipboard as text, Clear History forgets them.
class History : public QObject {
 public:
  static constexpr size_t kKept = 20;

  History(Form1& form, Entry& entry);

  void Copy();
  void Clear();

  static std::span<const common::MenuItem<History>> MenuItems();

 private:
  struct Line {
    QString text;
    double result;
  };

  void KeyDone(std::string_view control);
  void Choose(size_t line);
  void Show();

  Form1& form_;
  Entry& entry_;
  std::deque<Line> lines_;         // newest first
  std::vector<QAction*> actions_;  // Copy History, Clear History
  QMenu& menu_;
  QList<QAction*> shown_;  // the lines and the separator after them
};

}  // namespace calc
