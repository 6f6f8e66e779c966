#include "paint/document/undo_history.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <utility>

#include "paint/document/packed_pixels.h"

namespace paint {
namespace {

void Put(QImage& into, const QPoint& at, const QImage& pixels) {
  QPainter painter(&into);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(at, pixels);
}

// Packings not yet finished beyond the next step to undo: past this many,
// a new step waits, so raw pictures cannot pile up faster than they pack.
constexpr int kPackingsInFlight = 2;

}  // namespace

UndoHistory::UndoHistory(common::PictureBox& canvas, size_t cap, size_t diskCap)
    : canvas_(canvas), cap_(cap), diskCap_(diskCap) {
  canvas_.TakeGestureDirty();
  shadow_->image_ = canvas_.Drawing();
}

UndoHistory::~UndoHistory() = default;

uint64_t Shadow::Version() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return version_;
}

std::optional<Shadow::Rows> Shadow::CopyRows(uint64_t version, int y, int count,
                                             std::vector<uchar>& bytes) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (version_ != version) return std::nullopt;
  const Rows rows{image_.size(), image_.format(), image_.bytesPerLine(),
                  std::max(0, std::min(count, image_.height() - y))};
  bytes.resize(static_cast<size_t>(rows.stride) * rows.count);
  if (rows.count > 0) std::memcpy(bytes.data(), image_.constScanLine(y), bytes.size());
  return rows;
}

void UndoHistory::ChangeShadow(const std::function<void(QImage&)>& change) {
  const std::lock_guard<std::mutex> lock(shadow_->mutex_);
  change(shadow_->image_);
  ++shadow_->version_;
}

QString UndoHistory::UndoName() const {
  if (canvas_.Drawn()) return pending_;
  return undo_.empty() ? QString() : undo_.back().name;
}

QString UndoHistory::RedoName() const {
  return CanRedo() ? redo_.back().name : QString();
}

void UndoHistory::Checkpoint() {
  const QRect changed = canvas_.TakeGestureDirty();
  QImage& shadow = shadow_->image_;  // only this thread writes it
  // A picture of another size is a step over the whole picture.
  const bool resized = shadow.size() != canvas_.InnerRect().size();
  const QRect rect = resized ? shadow.rect() : changed & shadow.rect();
  if (rect.isEmpty() && !resized) return;
  const bool whole = rect == shadow.rect();
  // The whole picture is shared with the canvas, not copied: the canvas
  // copies it aside before it next draws.
  QImage now = whole ? canvas_.Picture() : canvas_.Region(rect);
  if (whole) canvas_.CopyAhead();
  Step step{rect.topLeft(),
            rect.size(),
            shadow.format(),
            whole ? shadow : shadow.copy(rect),
            nullptr,
            0,
            state_,
            whole,
            std::exchange(pending_, QString())};
  if (step.pixels == now) return;  // drawn over with the same colours
  ChangeShadow([&](QImage& image) {
    if (whole) {
      image = std::move(now);  // the old one lives on in the step, uncopied
    } else {
      Put(image, rect.topLeft(), now);
    }
  });
  ForgetAll(redo_);
  step.state = state_ = ++lastState_;
  Account(step, 1);
  undo_.push_back(std::move(step));
  Balance();
}

void UndoHistory::Reset() {
  canvas_.TakeGestureDirty();
  const QImage picture = canvas_.Picture();
  canvas_.CopyAhead();
  ChangeShadow([&](QImage& image) { image = picture; });
  ForgetAll(undo_);
  ForgetAll(redo_);
  pending_.clear();
  state_ = ++lastState_;
}

size_t UndoHistory::Bytes() const {
  size_t bytes = 0;
  for (const auto* list : {&undo_, &redo_})
    for (const Step& step : *list) {
      bytes += sizeof(Step) + static_cast<size_t>(step.pixels.sizeInBytes());
      if (step.packed && step.packed->done && step.packed->stash && step.packed->stash->InMemory())
        bytes += static_cast<size_t>(step.packed->stash->Size());
    }
  return bytes;
}

size_t UndoHistory::PackedBytes() const {
  size_t bytes = 0;
  for (const auto* list : {&undo_, &redo_})
    for (const Step& step : *list)
      if (step.packed && step.packed->done && step.packed->stash)
        bytes += static_cast<size_t>(step.packed->stash->Size());
  return bytes;
}

// Small steps count by their memory, large ones by their raw size, which
// bounds what they keep packed whether or not packing has finished.
void UndoHistory::Account(const Step& step, int sign) {
  const auto raw = static_cast<size_t>(RawBytes(step));
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

void UndoHistory::ForgetAll(std::deque<Step>& steps) {
  for (const Step& step : steps) Account(step, -1);
  steps.clear();
}

void UndoHistory::Trim() {
  while (undo_.size() > kKeptSteps && (memory_ > cap_ || bulk_ > diskCap_)) {
    Account(undo_.front(), -1);
    undo_.pop_front();
  }
}

void UndoHistory::Balance() {
  if (large_ == 0) {  // nothing to pack: a history of strokes costs nothing here
    Trim();
    return;
  }
  int inFlight = 0;
  for (auto* list : {&undo_, &redo_}) {
    for (size_t i = list->size(); i-- > 0;) {
      Step& step = (*list)[i];
      if (!Large(step) || step.pixels.isNull()) continue;
      if (i + 1 == list->size()) continue;  // the next to travel stays at hand
      if (!step.packed) {
        auto packing = std::make_shared<Packing>();
        step.packed = packing;
        QObject* listener = listener_.get();
        worker_.Post([this, packing, pixels = step.pixels, listener] {
          try {
            const QByteArray bytes = PackPixels(pixels);
            if (!bytes.isEmpty()) packing->stash = Stash::Keep(bytes);
          } catch (...) {
            // Out of memory, say: the step keeps its pixels as they are.
          }
          packing->done = true;
          packing->done.notify_all();
          QMetaObject::invokeMethod(
              listener, [this] { Balance(); }, Qt::QueuedConnection);
        });
      }
      if (!step.packed->done && ++inFlight > kPackingsInFlight) step.packed->done.wait(false);
      if (step.packed->done && step.packed->stash) step.pixels = QImage();
    }
  }
  Trim();
}

std::function<QImage()> UndoHistory::PackedNext(bool undo) {
  const std::deque<Step>& list = undo ? undo_ : redo_;
  if (list.empty() || !list.back().pixels.isNull()) return {};
  return [packed = list.back().packed, size = list.back().size, format = list.back().format] {
    return UnpackPixels(packed->stash->Take(), size, format);
  };
}

void UndoHistory::Unpacked(bool undo, const QImage& pixels) {
  std::deque<Step>& list = undo ? undo_ : redo_;
  if (!list.empty() && list.back().pixels.isNull() && pixels.size() == list.back().size)
    list.back().pixels = pixels;
}

void UndoHistory::Settle() {
  for (auto* list : {&undo_, &redo_})
    for (Step& step : *list)
      if (step.packed) step.packed->done.wait(false);
  Balance();
}

// Writes the step's pixels to the canvas and keeps the ones they replace; a
// step over the whole picture puts back its size too.
void UndoHistory::Exchange(Step& step) {
  if (step.whole) {
    canvas_.SetPicture(step.pixels);
    canvas_.CopyAhead();  // the shadow keeps these pixels too
    ChangeShadow([&](QImage& image) { std::swap(image, step.pixels); });
  } else {
    QImage replaced = shadow_->image_.copy(QRect(step.at, step.pixels.size()));
    canvas_.PutRegion(step.at, step.pixels);
    ChangeShadow([&](QImage& image) { Put(image, step.at, step.pixels); });
    step.pixels = std::move(replaced);
  }
  step.size = step.pixels.size();
  step.format = step.pixels.format();
  step.packed.reset();         // what it packed is the other side now
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
  Step& next = from.back();
  if (next.pixels.isNull()) {
    next.pixels = PackedNext(&from == &undo_)();
    if (next.pixels.isNull()) {
      // The cache file could not be read back: that step and the ones before
      // it cannot be taken back any more.
      ForgetAll(from);
      return false;
    }
  }
  Step step = std::move(next);
  from.pop_back();
  Account(step, -1);
  Exchange(step);
  state_ = step.*lands;
  Account(step, 1);
  to.push_back(std::move(step));
  Balance();
  return true;
}

uint64_t UndoHistory::State() {
  Checkpoint();
  return state_;
}

}  // namespace paint
