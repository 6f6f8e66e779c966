#include "paint/undo_history.h"

#include <QPainter>

namespace paint {
namespace {

void Put(QImage& into, const QPoint& at, const QImage& pixels) {
  QPainter painter(&into);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(at, pixels);
}

}  // namespace

UndoHistory::UndoHistory(common::PictureBox& canvas, size_t cap) : canvas_(canvas), cap_(cap) {
  canvas_.TakeGestureDirty();
  shadow_ = canvas_.Drawing();
}

size_t UndoHistory::Cost(const Step& step) {
  return static_cast<size_t>(step.pixels.sizeInBytes()) + sizeof(Step) + 64;
}

void UndoHistory::Checkpoint() {
  const QRect changed = canvas_.TakeGestureDirty();
  // A picture of another size is a step over the whole picture.
  const bool resized = shadow_.size() != canvas_.InnerRect().size();
  const QRect rect = resized ? shadow_.rect() : changed & shadow_.rect();
  if (rect.isEmpty() && !resized) return;
  QImage now = resized ? canvas_.Drawing() : canvas_.Region(rect);
  const bool whole = rect == shadow_.rect();
  Step step{rect.topLeft(), whole ? shadow_ : shadow_.copy(rect), 0, state_, whole};
  if (step.pixels == now) return;  // drawn over with the same colours
  if (whole) {
    shadow_ = std::move(now);  // the old one lives on in the step, uncopied
  } else {
    Put(shadow_, rect.topLeft(), now);
  }
  for (const Step& dropped : redo_) bytes_ -= Cost(dropped);
  redo_.clear();
  step.state = state_ = ++lastState_;
  bytes_ += Cost(step);
  undo_.push_back(std::move(step));
  Trim();
}

void UndoHistory::Reset() {
  canvas_.TakeGestureDirty();
  shadow_ = canvas_.Drawing();
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
  state_ = ++lastState_;
}

void UndoHistory::Trim() {
  while (bytes_ > cap_ && !undo_.empty()) {
    bytes_ -= Cost(undo_.front());
    undo_.pop_front();
  }
}

// Writes the step's pixels to the canvas and keeps the ones they replace; a
// step over the whole picture puts back its size too.
void UndoHistory::Exchange(Step& step) {
  if (step.whole) {
    canvas_.SetPicture(step.pixels);
    canvas_.CopyAhead();  // the shadow keeps these pixels too
    std::swap(shadow_, step.pixels);
  } else {
    QImage replaced = shadow_.copy(QRect(step.at, step.pixels.size()));
    canvas_.PutRegion(step.at, step.pixels);
    Put(shadow_, step.at, step.pixels);
    step.pixels = std::move(replaced);
  }
  canvas_.TakeGestureDirty();  // putting back is no drawing
}

bool UndoHistory::Undo() {
  return Travel(undo_, redo_, &Step::before);
}

bool UndoHistory::Redo() {
  return Travel(redo_, undo_, &Step::state);
}

// Takes the last step of one list across to the other, putting its pixels on
// the canvas; the canvas is then in the state the step names on that side.
bool UndoHistory::Travel(std::deque<Step>& from, std::deque<Step>& to, uint64_t Step::*lands) {
  Checkpoint();
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  Exchange(step);
  state_ = step.*lands;
  to.push_back(std::move(step));
  return true;
}

uint64_t UndoHistory::State() {
  Checkpoint();
  return state_;
}

}  // namespace paint
