#pragma once

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <string>
#include <string_view>

#include "common/listeners.h"

namespace common {

// A label shows its caption exactly as stored, as plain text; a screen reader
// reads that text.
class Label : public QLabel {
 public:
  explicit Label(QWidget* parent = nullptr);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);

  // Told after each change of the caption.
  Listeners<const std::string&> changed;

 private:
  std::string caption_;
};

// A push button; its click is delivered by the window that owns it. Enter
// clicks the focused button, as Space does.
class CommandButton : public QPushButton {
 public:
  explicit CommandButton(QWidget* parent = nullptr) : QPushButton(parent) { setAutoDefault(true); }

  // The button's font, its letters narrowed as far as the caption needs to
  // fit inside the button's edges.
  QFont CaptionFont() const;
  // The width the caption may take.
  int CaptionRoom() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace common
