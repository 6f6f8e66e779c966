#pragma once

#include <QObject>
#include <optional>
#include <span>
#include <vector>

#include "common/menu.h"

class QAction;
class QLabel;

namespace calc {

class Entry;
class Form1;

// One number kept aside, as on a desk calculator: Memory > Store, Recall,
// Add, Subtract and Clear, with the keys desktop calculators use for them
// (Ctrl+M, Ctrl+R, Ctrl+P, Ctrl+Q, Ctrl+L). Store, Add and Subtract read the
// number shown as equals reads it; Recall shows the kept number as if it had
// been typed. The keys, C and CE included, leave the memory alone. An "M" in
// the status bar says that it holds a number, its tooltip which.
class Memory : public QObject {
 public:
  Memory(Form1& form, Entry& entry);

  void Store();
  void Recall();
  void Add();
  void Subtract();
  void Clear();

  const std::optional<double>& Value() const { return value_; }

  static std::span<const common::MenuItem<Memory>> MenuItems();

 private:
  double Shown() const;
  void Keep(std::optional<double> value);

  Form1& form_;
  Entry& entry_;
  std::optional<double> value_;
  std::vector<QAction*> actions_;  // in the order of MenuItems
  QLabel* indicator_;
};

}  // namespace calc
