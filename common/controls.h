#pragma once

#include <QLabel>
#include <QPushButton>
#include <string>
#include <string_view>

namespace common {

// A label shows its caption exactly as stored, as plain text; a screen reader
// reads that text.
class Label : public QLabel {
 public:
  explicit Label(QWidget* parent = nullptr);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);

 private:
  std::string caption_;
};

// A push button; its click is delivered by the window that owns it. Enter
// clicks the focused button, as Space does.
class CommandButton : public QPushButton {
 public:
  explicit CommandButton(QWidget* parent = nullptr) : QPushButton(parent) { setAutoDefault(true); }
};

}  // namespace common
