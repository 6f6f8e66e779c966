#include "paint/document/undo_history.h"

#include <utility>

#include "paint/document/stash.h"

namespace paint {

UndoHistory::UndoHistory(common::PictureBox& canvas, size_t cap, size_t diskCap)
    : canvas_(canvas), cap_(cap), diskCap_(diskCap) {
  canvas_.KeepOriginals();
  canvas_.TakeGestureDirty();
  pause_.setSingleShot(true);
  QObject::connect(&pause_, &QTimer::timeout, listener_.get(), [this] {
    if (Step* hand = Hand(); hand && !hand->packed) Pack(*hand);
  });
}

UndoHistory::~UndoHistory() = default;

QString UndoHistory::UndoName() const {
  if (canvas_.Drawn()) return pending_;
  return undo_.empty() ? QString() : undo_.back().name;
}

QString UndoHistory::RedoName() const {
  return CanRedo() ? redo_.back().name : QString();
}

void UndoHistory::Checkpoint() {
  common::Originals taken = canvas_.TakeOriginals();
  canvas_.TakeGestureDirty();
  if (taken.lost) {
    // Memory ran out keeping what the change replaced: nothing before it can
    // be taken back.
    Forget();
    return;
  }
  if (taken.Empty()) return;  // nothing, or drawn over with the same colours
  Step step;
  step.raw = taken.Bytes();
  step.pixels = std::make_shared<common::Originals>(std::move(taken));
  step.before = state_;
  step.name = std::exchange(pending_, QString());
  ForgetAll(redo_);
  step.state = state_ = hand_ = ++lastState_;
  Account(step, 1);
  undo_.push_back(std::move(step));
  Balance();
  common::Tiles::Ready();  // for the next step's first strokes
}

void UndoHistory::LetGo() {
  Balance(true);
}

void UndoHistory::Reset() {
  canvas_.TakeOriginals();
  canvas_.TakeGestureDirty();
  Forget();
}

void UndoHistory::Forget() {
  ForgetAll(undo_);
  ForgetAll(redo_);
  pending_.clear();
  state_ = ++lastState_;
  common::GiveBackFreed();
}

size_t UndoHistory::Bytes() const {
  size_t bytes = 0;
  for (const auto* list : {&undo_, &redo_})
    for (const Step& step : *list) {
      bytes += sizeof(Step);
      if (step.pixels) bytes += static_cast<size_t>(step.pixels->Bytes());
      if (Packed(step) && step.packed->result->stash->InMemory())
        bytes += static_cast<size_t>(step.packed->result->stash->Size());
    }
  return bytes;
}

size_t UndoHistory::PackedBytes() const {
  size_t bytes = 0;
  for (const auto* list : {&undo_, &redo_})
    for (const Step& step : *list)
      if (Packed(step)) bytes += static_cast<size_t>(step.packed->result->stash->Size());
  return bytes;
}

// Small steps count by their memory, large ones by their raw size, which
// bounds what they keep packed whether or not packing has finished.
void UndoHistory::Account(const Step& step, int sign) {
  const auto raw = static_cast<size_t>(step.raw);
  const auto add = [sign](size_t& total, size_t amount) {
    total = sign > 0 ? total + amount : total - amount;
  };
  if (Large(step)) {
    add(bulk_, raw);
    add(large_, 1);
  } else {
    add(memory_, raw + sizeof(Step));
  }
}

void UndoHistory::Drop(const Step& step) {
  Account(step, -1);
  if (step.packed) step.packed->stop = true;
}

void UndoHistory::ForgetAll(std::deque<Step>& steps) {
  for (const Step& step : steps) Drop(step);
  steps.clear();
}

void UndoHistory::Trim() {
  while (undo_.size() > kKeptSteps && (memory_ > cap_ || bulk_ > diskCap_)) {
    Drop(undo_.front());
    undo_.pop_front();
  }
}

UndoHistory::Step* UndoHistory::Hand() {
  for (auto* list : {&undo_, &redo_})
    for (Step& step : *list)
      if (step.state == hand_) return Large(step) && step.pixels ? &step : nullptr;
  return nullptr;
}

void UndoHistory::Pack(Step& step) {
  auto packing = std::make_shared<Packing>();
  step.packed = packing;
  QObject* listener = listener_.get();
  worker_.Post([this, packing, pixels = step.pixels, listener]() mutable {
    try {
      packing->result = PackOriginals(*pixels, packing->stop);
    } catch (...) {
      // Out of memory, say: the step keeps its pixels as they are.
    }
    pixels.reset();
    packing->done = true;
    packing->done.notify_all();
    QMetaObject::invokeMethod(
        listener, [this] { Balance(); }, Qt::QueuedConnection);
  });
}

// A large step is packed aside as soon as it is no longer at hand, and the
// one at hand once the user pauses. Of the large steps, only the one at hand
// keeps its pixels, and a second only while it is being packed: a step
// waits for the packing before it, so that the picture and two steps are
// the most that is ever held.
void UndoHistory::Balance(bool letGo) {
  if (large_ == 0) {  // nothing to pack: a history of strokes costs nothing here
    Trim();
    return;
  }
  Step* hand = letGo ? nullptr : Hand();
  std::vector<Step*> held;  // the other large steps with pixels
  for (auto* list : {&undo_, &redo_})
    for (Step& step : *list) {
      if (!Large(step) || !step.pixels || &step == hand) continue;
      if (!step.packed) Pack(step);
      held.push_back(&step);
    }
  bool freed = false;
  size_t kept = held.size() + (hand ? 1 : 0);
  for (Step* step : held) {
    if (letGo || kept > (hand ? 2 : 1)) step->packed->done.wait(false);
    if (step->packed->done && step->packed->result) {
      step->pixels.reset();
      freed = true;
      --kept;
    }
  }
  if (hand && !hand->packed) pause_.start(kPauseMs);
  Trim();
  if (freed) common::GiveBackFreed();
}

std::function<UndoHistory::Pixels()> UndoHistory::PackedNext(bool undo) {
  const std::deque<Step>& list = undo ? undo_ : redo_;
  if (list.empty() || list.back().pixels) return {};
  LetGo();  // whatever is at hand is not after the step comes across
  return [packed = list.back().packed] { return UnpackOriginals(*packed->result); };
}

void UndoHistory::Unpacked(bool undo, Pixels pixels) {
  std::deque<Step>& list = undo ? undo_ : redo_;
  if (!list.empty() && !list.back().pixels && pixels) list.back().pixels = std::move(pixels);
}

void UndoHistory::Settle() {
  for (auto* list : {&undo_, &redo_})
    for (Step& step : *list)
      if (step.packed) step.packed->done.wait(false);
  Balance();
}

bool UndoHistory::Undo() {
  return Travel(undo_, redo_, &Step::before);
}

bool UndoHistory::Redo() {
  return Travel(redo_, undo_, &Step::state);
}

// Takes the last step of one list across to the other, exchanging its pixels
// with the canvas's; the canvas is then in the state the step names on that
// side.
bool UndoHistory::Travel(std::deque<Step>& from, std::deque<Step>& to, uint64_t Step::*lands) {
  Checkpoint();
  if (from.empty()) return false;
  Step& next = from.back();
  if (next.packed && next.pixels) {
    // What it packs is about to become the other side.
    next.packed->stop = true;
    next.packed->done.wait(false);
  }
  if (!next.pixels) {
    if (const auto unpack = PackedNext(&from == &undo_)) next.pixels = unpack();
    if (!next.pixels) {
      // The cache file could not be read back: that step and the ones before
      // it cannot be taken back any more.
      ForgetAll(from);
      return false;
    }
  }
  Step step = std::move(next);
  from.pop_back();
  Account(step, -1);
  if (!canvas_.Exchange(*step.pixels)) {
    ForgetAll(from);
    return false;
  }
  canvas_.TakeGestureDirty();  // putting back is no drawing
  step.packed.reset();         // what it packed is the other side now
  // Tiles that came back in one colour let go of their pixels; giving back
  // what little else is freed would only make the next strokes' memory new.
  const bool shrank = step.raw - step.pixels->Bytes() > kPackAbove;
  step.raw = step.pixels->Bytes();
  state_ = step.*lands;
  hand_ = step.state;
  Account(step, 1);
  to.push_back(std::move(step));
  Balance();
  if (shrank) common::GiveBackFreed();
  common::Tiles::Ready();
  return true;
}

uint64_t UndoHistory::State() {
  Checkpoint();
  return state_;
}

}  // namespace paint
