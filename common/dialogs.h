#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/colors.h"

class QWidget;

namespace common {

// Message box buttons, icons (added to the buttons) and answers.
inline constexpr int kOkOnly = 0;
inline constexpr int kSaveDiscardCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRecoverDiscard = 5;
inline constexpr int kOverwriteSaveAsCancel = 6;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kOkAnswer = 1;
inline constexpr int kCancelAnswer = 2;
inline constexpr int kSaveAnswer = 6;
inline constexpr int kDiscardAnswer = 7;
inline constexpr int kYesAnswer = 6;
inline constexpr int kNoAnswer = 7;
inline constexpr int kRecoverAnswer = 6;
inline constexpr int kOverwriteAnswer = 6;
inline constexpr int kSaveAsAnswer = 7;

struct MessageBoxRequest {
  QWidget* owner;
  std::string prompt;
  int buttons;
  std::string title;
  std::string explanation;
};

// The width a window needs for its whole title in the title bar, in pixels.
int TitleBarWidth(const QWidget& window);

// Shows a modal message box and returns the answer; an explanation, if any,
// stands in plain words below the prompt. The box is at least as wide as its
// title bar needs.
int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title,
           std::string_view explanation = {});

// A short audible beep for an input that was refused.
void Beep(QWidget* owner);

// A file chooser: a file to open, or a name to save under (it asks before
// replacing a file). Returns the path, or nothing when cancelled.
enum class FileDialogMode { kOpen, kSave };
struct FileDialogRequest {
  QWidget* owner;
  FileDialogMode mode;
  std::string title;
  std::string filters;             // Qt's ";;"-separated name filters
  std::string start;               // file or folder to start in
  std::string defaultSuffix = {};  // added to a name saved without one
  std::string filter = {};         // the filter selected at first
  // Where to tell which filter was selected at the end, if anywhere; a
  // name saved without a suffix gets that filter's first one.
  std::string* chosenFilter = nullptr;
};
std::optional<std::string> ChooseFile(const FileDialogRequest& request);

// What the functions above and the colour dialog ask through: the real
// dialogs, unless the window they are shown for was given others (a test's,
// which answer at once, so that no dialog ever blocks it).
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual int MessageBox(const MessageBoxRequest& request);
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request);
  // The colour chosen, or nothing for a cancel.
  virtual std::optional<Colour> ChooseColour(QWidget* owner, Colour current);
  virtual void Beep(QWidget* owner);
};
// The dialogs of the widget's window (or of the nearest window above it that
// was given some); the real ones otherwise.
Dialogs& DialogsOf(const QWidget* widget);
// Gives a window dialogs of its own, for as long as it lives.
void SetDialogs(QWidget& window, std::shared_ptr<Dialogs> dialogs);

// The colour dialog of a window. Its colour value starts white, becomes the
// chosen colour on OK and stays as it was on cancel; it opens on that value.
class CommonDialog {
 public:
  explicit CommonDialog(QWidget* owner) : owner_(owner) {}

  void ShowColor();  // modal to the owner
  Colour Color() const { return color_; }

 private:
  QWidget* owner_;
  Colour color_ = 0x00FFFFFF;
};

}  // namespace common
