#pragma once

#include <QObject>

namespace calc {

class Form1;

// The calculator's menu bar above its keys: Edit holds the display's own
// Copy and Paste (the same actions as its context menu), Help the keyboard
// shortcuts, About and About Qt. No title takes an access key a key needs.
class HelpMenu : public QObject {
 public:
  explicit HelpMenu(Form1& form);

  void ShowShortcuts();
  void ShowAbout();
  void ShowAboutQt();

 private:
  Form1& form_;
};

}  // namespace calc
