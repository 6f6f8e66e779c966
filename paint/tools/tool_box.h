#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "paint/tools/mark_settings.h"
#include "paint/tools/tool.h"

namespace paint {

class Form1;

// Switches the tools of the Tools menu. While one is active, the window's
// own canvas handlers act as for the move tool (they draw nothing, and the
// readouts go on), the description label tells what the tool does, and a
// click on a tool button goes back to the window's own tools; a press of
// the tool is one gesture of the document.
class ToolBox : public QObject, private ToolContext {
 public:
  ToolBox(Form1& form, Document& document);
  ~ToolBox() override;

  // Adds a tool, which the box owns; the index it is chosen by.
  template <class T>
  T& Add() {
    auto tool = std::make_unique<T>(static_cast<ToolContext&>(*this));
    T& added = *tool;
    tools_.push_back(std::move(tool));
    return added;
  }
  // The tool of this class that was added, or null.
  template <class T>
  T* Find() const {
    for (const auto& tool : tools_)
      if (auto* found = dynamic_cast<T*>(tool.get())) return found;
    return nullptr;
  }
  // Makes the tool active (null: the window's own tools again).
  void Choose(Tool* tool);
  Tool* Active() const { return active_; }
  // Finishes what the active tool holds, and sets down a paste.
  void Settle();
  // Finishes what the active tool holds (a text set down), leaving a paste.
  void SettleTool();
  MarkSettings& Settings() override { return settings_; }

 protected:
  // Keys the active tool takes go to it instead of the menus' shortcuts;
  // input method events on the canvas go to it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Document& Doc() override { return document_; }
  common::PictureBox& Canvas() override;
  common::Colour Colour() const override;
  void SetColour(common::Colour colour) override;
  void ReturnToToolBefore() override;
  bool Shift() const override { return shift_; }
  void RepaintPicture(const QRect& pixels) override;
  void TypingChanged() override;
  // The window's own tool acts as the move tool, or again as itself.
  void SuspendOwnTool();
  void ResumeOwnTool();

  Form1& form_;
  Document& document_;
  std::vector<std::unique_ptr<Tool>> tools_;
  Tool* active_ = nullptr;
  Tool* before_ = nullptr;  // what ReturnToToolBefore goes back to
  bool pressed_ = false;    // a press of the active tool, until its release
  bool shift_ = false;      // at the last press or move
  MarkSettings settings_;
  // The window's own tool, description and pointer, while suspended.
  int16_t ownTool_ = 0;
  std::string ownDescription_;
  int16_t ownPointer_ = 0;
};

}  // namespace paint
