#pragma once

#include <cstdint>
#include <functional>
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
// title bar needs. Tests put a hook in its place (an empty hook restores the
// real box) so that no box ever blocks.
int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title,
           std::string_view explanation = {});
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// A short audible beep for an input that was refused. Tests count them
// through the hook (an empty hook restores the real beep).
void Beep();
void SetBeepHook(std::function<void()> hook);

// A file chooser: a file to open, or a name to save under (it asks before
// replacing a file). Returns the path, or nothing when cancelled. Tests answer
// it through the hook, like the message box.
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
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogHook(FileDialogHook hook);

// The colour dialog of a window. Its colour value starts white, becomes the
// chosen colour on OK and stays as it was on cancel; it opens on that value.
class CommonDialog {
 public:
  explicit CommonDialog(QWidget* owner) : owner_(owner) {}

  void ShowColor();  // modal to the owner
  Colour Color() const { return color_; }

  // Tests answer the dialog through this hook: it gets the current value and
  // returns the chosen colour, or nothing for a cancel.
  using ColorHook = std::function<std::optional<Colour>(QWidget* owner, Colour current)>;
  static void SetColorHook(ColorHook hook);

 private:
  QWidget* owner_;
  Colour color_ = 0x00FFFFFF;
};

}  // namespace common
