#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "common/picture_box.h"

namespace paint {

// Undo and redo of a canvas. A step is what changed between two checkpoints
// (a press on the canvas, before and after a clear, a paste or a new size):
// the changed rectangle's other pixels, at logical resolution, or the whole
// picture when its size changed. A copy of the canvas as of the last
// checkpoint supplies the pixels from before a step, so a checkpoint costs
// in proportion to what the step changed.
class UndoHistory {
 public:
  static constexpr size_t kDefaultCap = size_t{48} << 20;  // some 140 whole canvases

  explicit UndoHistory(common::PictureBox& canvas, size_t cap = kDefaultCap);

  // Ends the step in progress; an empty one is dropped. A new step drops
  // what could be redone.
  void Checkpoint();
  // Forgets every step: the canvas holds a new document.
  void Reset();
  bool Undo();
  bool Redo();

  // Names the canvas's contents: equal after undoing back to a state.
  uint64_t State();
  // The state as of the last checkpoint; see canvas Drawn() for what came after.
  uint64_t Current() const { return state_; }
  size_t Steps() const { return undo_.size() + redo_.size(); }
  // What Undo and Redo would do now, without ending the step in progress.
  bool CanUndo() { return !undo_.empty() || canvas_.Drawn(); }
  bool CanRedo() { return !redo_.empty() && !canvas_.Drawn(); }
  size_t Bytes() const { return bytes_; }

 private:
  struct Step {
    QPoint at;
    QImage pixels;   // the rectangle as it is on the other side of the step
    uint64_t state;  // after the step
    uint64_t before;
    bool whole;  // the whole picture, whose size may differ
  };
  static size_t Cost(const Step& step);
  void Exchange(Step& step);
  bool Travel(std::deque<Step>& from, std::deque<Step>& to, uint64_t Step::*lands);
  void Trim();

  common::PictureBox& canvas_;
  size_t cap_;
  QImage shadow_;  // the canvas at the last checkpoint
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  size_t bytes_ = 0;
  uint64_t state_ = 0;
  uint64_t lastState_ = 0;
};

}  // namespace paint
