#pragma once

#include <QMenuBar>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "common/controls.h"
#include "common/dialogs.h"
#include "common/layout.h"
#include "common/picture_box.h"

namespace common {

// A window built from its description. It owns its controls, finds them by
// name (and index, for control arrays) and runs every event handler inside
// Run, the frame that reports a run-time error and lets the program go on.
// The window has the fixed size of its client area (plus the menu bar, if
// its description asks for one): the layout does not follow a resize.
class Form : public QWidget {
 public:
  explicit Form(const FormSpec& layout);
  ~Form() override;

  Label& GetLabel(std::string_view name);
  CommandButton& GetButton(std::string_view name, int16_t index = -1);
  PictureBox& GetPicture(std::string_view name, int16_t index = -1);
  CommonDialog& GetDialog(std::string_view name);
  QWidget& GetControl(std::string_view name, int16_t index = -1);

  // The area the controls stand in: the window itself, or the widget under
  // the menu bar. MenuBar is null when the description asks for none.
  QWidget& Client() { return *client_; }
  QMenuBar* MenuBar() { return menuBar_; }

  // Runs one handler. A RuntimeError it raises is reported in a message box
  // titled with the window's caption; what the handler did before the
  // failing step stays done.
  void Run(const std::function<void()>& handler);

  // Loads (runs the load handler) and shows the window, centred if its
  // description says so, with the focus on the first control in tab order.
  void Start();

  int MsgBox(std::string_view prompt, int buttons, std::string_view title) {
    return common::MsgBox(this, prompt, buttons, title);
  }

 protected:
  virtual void Load() {}

  // Binds a control's event to a handler; the handler runs inside Run.
  void OnClick(std::string_view name, std::function<void()> handler);
  void OnIndexedClick(std::string_view name, std::function<void(int16_t index)> handler);
  void OnMouseDown(std::string_view name, PictureBox::MouseHandler handler);
  void OnMouseMove(std::string_view name, PictureBox::MouseHandler handler);
  void OnMouseUp(std::string_view name, PictureBox::MouseHandler handler);

 private:
  using Key = std::pair<std::string, int16_t>;
  struct KeyLess {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      return std::pair<std::string_view, int16_t>(a.first, a.second) <
             std::pair<std::string_view, int16_t>(b.first, b.second);
    }
  };
  void Build();
  void Centre();
  template <class T>
  T& Find(std::string_view name, int16_t index);
  PictureBox::MouseHandler Framed(PictureBox::MouseHandler handler);

  const FormSpec& layout_;
  std::map<Key, QWidget*, KeyLess> controls_;
  std::map<std::string, std::unique_ptr<CommonDialog>, std::less<>> dialogs_;
  QWidget* firstFocus_ = nullptr;
  QWidget* client_ = this;
  QMenuBar* menuBar_ = nullptr;
};

}  // namespace common
