#pragma once

#include <QMenuBar>
#include <QStatusBar>
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
#include "common/listeners.h"
#include "common/picture_box.h"

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QVBoxLayout;

namespace common {

// The bound events of a window's controls.
enum class Event { kLoad, kClick, kMouseDown, kMouseMove, kMouseUp };

// One call of a bound handler, as the window's listeners hear it: before it
// runs, after it returned, or after it raised (before the error is reported).
struct HandlerCall {
  enum Phase { kBefore, kAfter, kFailed };
  std::string_view control;  // "Form" for the window's own Load
  int16_t index;             // element of a control array, or -1
  Event event;
  Phase phase;
};

// A window built from its description. It owns its controls, finds them by
// name (and index, for control arrays) and runs every event handler inside
// Run, the frame that reports a run-time error and lets the program go on.
// What a program adds to a window attaches through its listeners and Run.
// The window has the fixed size of its client area (plus the menu bar, once
// something asks for one): the layout does not follow a resize.
class Form : public QWidget {
 public:
  explicit Form(const FormSpec& layout);
  ~Form() override;

  Label& GetLabel(std::string_view name);
  CommandButton& GetButton(std::string_view name, int16_t index = -1);
  PictureBox& GetPicture(std::string_view name, int16_t index = -1);
  CommonDialog& GetDialog(std::string_view name);
  QWidget& GetControl(std::string_view name, int16_t index = -1);

  std::string_view Caption() const { return layout_.caption; }

  // The area the controls stand in, under the menu bar if there is one.
  QWidget& Client() { return *client_; }
  // Null until AddMenuBar makes it, above the client area.
  QMenuBar* MenuBar() { return menuBar_; }
  QMenuBar& AddMenuBar();
  // Null until AddStatusBar makes it, below the client area.
  QStatusBar* StatusBar() { return statusBar_; }
  QStatusBar& AddStatusBar();

  // Runs one handler, or any command of the program's. A RuntimeError it
  // raises is reported in a message box titled with the window's caption;
  // what the handler did before the failing step stays done.
  void Run(const std::function<void()>& handler);

  // Every bound handler's calls, inside its Run frame.
  Listeners<const HandlerCall&> handlerCalls;
  // A key pressed anywhere in the window, before the control with the focus
  // sees it; a listener that takes it accepts the event. Inside Run; not
  // while a modal dialog is open.
  Listeners<QKeyEvent&> keys;
  // The window is asked to close; a listener that keeps it open ignores the
  // event. Inside Run: one that fails keeps the window open.
  Listeners<QCloseEvent&> closing;
  // A local file dropped on the window (one that accepts drops), inside Run.
  Listeners<const QString&> fileDropped;

  // Offers a key press to the key listeners; true when one took it.
  bool TakeKey(QKeyEvent& event);

  // Loads (runs the load handler) and shows the window, centred if its
  // description says so, with the focus on the first control in tab order.
  void Start();

  int MsgBox(std::string_view prompt, int buttons, std::string_view title) {
    return common::MsgBox(this, prompt, buttons, title);
  }

 protected:
  virtual void Load() {}
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

  // Binds a control's event to a handler; the handler runs inside Run.
  void OnClick(std::string_view name, std::function<void()> handler);
  void OnIndexedClick(std::string_view name, const std::function<void(int16_t index)>& handler);
  using MouseHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;
  void OnMouseDown(std::string_view name, MouseHandler handler);
  void OnMouseMove(std::string_view name, MouseHandler handler);
  void OnMouseUp(std::string_view name, MouseHandler handler);

 private:
  using ControlKey = std::pair<std::string, int16_t>;
  struct KeyLess {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      return std::pair<std::string_view, int16_t>(a.first, a.second) <
             std::pair<std::string_view, int16_t>(b.first, b.second);
    }
  };
  using Controls = std::map<ControlKey, QWidget*, KeyLess>;
  void Build();
  void Centre();
  template <class T>
  T& Find(std::string_view name, int16_t index);
  // Runs a bound handler in its frame, its listeners around it.
  void Observe(std::string_view control, int16_t index, Event event,
               const std::function<void()>& handler);
  void BindClick(const Controls::value_type& control, std::function<void()> handler);
  const Controls::value_type& Entry(std::string_view name, int16_t index) const;
  void BindMouse(PictureBox::MouseListeners PictureBox::*event, Event kind, std::string_view name,
                 MouseHandler handler);

  const FormSpec& layout_;
  Controls controls_;
  std::map<std::string, std::unique_ptr<CommonDialog>, std::less<>> dialogs_;
  QWidget* firstFocus_ = nullptr;
  QVBoxLayout* column_;
  QWidget* client_;
  QMenuBar* menuBar_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
};

}  // namespace common
