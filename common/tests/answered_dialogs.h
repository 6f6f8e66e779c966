#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/dialogs.h"

namespace common {

// Dialogs a test answers: each kind calls the test's function for it when
// one is set, and shows the real dialog otherwise.
template <class Base = Dialogs>
struct AnsweredDialogs : Base {
  std::function<int(const MessageBoxRequest&)> messageBox;
  std::function<std::optional<std::string>(const FileDialogRequest&)> chooseFile;
  std::function<std::optional<Colour>(QWidget* owner, Colour current)> chooseColour;
  std::function<void()> beep;

  int MessageBox(const MessageBoxRequest& request) override {
    return messageBox ? messageBox(request) : Base::MessageBox(request);
  }
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    return chooseFile ? chooseFile(request) : Base::ChooseFile(request);
  }
  std::optional<Colour> ChooseColour(QWidget* owner, Colour current) override {
    return chooseColour ? chooseColour(owner, current) : Base::ChooseColour(owner, current);
  }
  void Beep(QWidget* owner) override {
    if (beep) {
      beep();
    } else {
      Base::Beep(owner);
    }
  }
};

}  // namespace common
