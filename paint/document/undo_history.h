#pragma once

#include <QImage>
#include <QObject>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "common/background.h"
#include "common/picture_box.h"
#include "paint/document/stash.h"

namespace paint {

// The canvas as of the last checkpoint, which other threads (the recovery
// copy) may read between two changes: every change happens under the lock
// and counts up the version.
class Shadow {
 public:
  uint64_t Version() const;
  // Rows copied: the picture's size and format, and the rows' layout.
  struct Rows {
    QSize size;
    QImage::Format format;
    qsizetype stride;
    int count;  // none past the last row
  };
  // Copies up to `count` rows from row `y` on into `bytes` while the picture
  // is still the version given; nothing once it is not.
  std::optional<Rows> CopyRows(uint64_t version, int y, int count, std::vector<uchar>& bytes) const;

 private:
  friend class UndoHistory;
  mutable std::mutex mutex_;
  QImage image_;  // written only on the user-interface thread, under the lock
  uint64_t version_ = 0;
};

// Undo and redo of a canvas. A step is what changed between two checkpoints
// (a press on the canvas, before and after a clear, a paste or a new size):
// the changed rectangle's other pixels, at logical resolution, or the whole
// picture when its size changed. A copy of the canvas as of the last
// checkpoint supplies the pixels from before a step, so a checkpoint costs
// in proportion to what the step changed.
//
// The last kKeptSteps steps are always kept, whatever their size. A large
// step is packed aside (packed_pixels.h) into the user's cache folder, and
// once packed holds no memory of the program's unless it is the next to undo
// or redo; older steps are dropped only while small ones hold more than
// `cap` bytes of memory or large ones more than `diskCap` bytes unpacked
// (what they keep packed is less).
class UndoHistory {
 public:
  static constexpr size_t kDefaultCap = size_t{48} << 20;  // some 140 whole canvases
  static constexpr size_t kDefaultDiskCap = size_t{4} << 30;
  static constexpr size_t kKeptSteps = 10;
  static constexpr qsizetype kPackAbove = qsizetype{4} << 20;

  explicit UndoHistory(common::PictureBox& canvas, size_t cap = kDefaultCap,
                       size_t diskCap = kDefaultDiskCap);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Ends the step in progress, under the name the last Name gave it; an
  // empty one is dropped. A new step drops what could be redone.
  void Checkpoint();
  // What the step in progress will be called ("Fill", "Rotate 90°
  // Clockwise").
  void Name(const QString& name) { pending_ = name; }
  // Forgets every step: the canvas holds a new document.
  void Reset();
  bool Undo();
  bool Redo();

  // Names the canvas's contents: equal after undoing back to a state.
  uint64_t State();
  // The state as of the last checkpoint; see canvas Drawn() for what came after.
  uint64_t Current() const { return state_; }
  size_t Steps() const { return undo_.size() + redo_.size(); }
  // The names of what Undo and Redo would take back or do again.
  QString UndoName() const;
  QString RedoName() const;
  // What Undo and Redo would do now, without ending the step in progress.
  bool CanUndo() const { return !undo_.empty() || canvas_.Drawn(); }
  bool CanRedo() const { return !redo_.empty() && !canvas_.Drawn(); }
  // Memory the steps hold, and what packed steps keep in the cache folder.
  size_t Bytes() const;
  size_t PackedBytes() const;
  // When the next undo (or redo) has only packed pixels, which take a while
  // to unpack on a large picture: the work that unpacks them, safe on any
  // thread, whose result Unpacked hands back before Undo or Redo. Empty
  // when nothing needs unpacking.
  std::function<QImage()> PackedNext(bool undo);
  void Unpacked(bool undo, const QImage& pixels);
  // Waits for the packing in progress and lets go of what it packed.
  void Settle();
  const std::shared_ptr<Shadow>& Picture() const { return shadow_; }

 private:
  struct Packing {
    std::atomic<bool> done{false};
    std::shared_ptr<Stash> stash;  // null if packing failed
  };
  struct Step {
    QPoint at;
    QSize size;
    QImage::Format format;
    QImage pixels;  // the rectangle as it is on the other side; null while only packed
    std::shared_ptr<Packing> packed;
    uint64_t state;  // after the step
    uint64_t before;
    bool whole;  // the whole picture, whose size may differ
    QString name;
  };
  static qsizetype RawBytes(const Step& step) {
    return qsizetype{step.size.width()} * step.size.height() * 4;
  }
  static bool Large(const Step& step) { return RawBytes(step) > kPackAbove; }
  void Exchange(Step& step);
  bool Travel(std::deque<Step>& from, std::deque<Step>& to, uint64_t Step::*lands);
  // Packs large steps aside and frees the raw pixels of those packed.
  void Balance();
  void Trim();
  // Keeps the totals below as a step joins (sign 1) or leaves (-1) a list.
  void Account(const Step& step, int sign);
  void ForgetAll(std::deque<Step>& steps);
  void ChangeShadow(const std::function<void(QImage&)>& change);

  common::PictureBox& canvas_;
  size_t cap_;
  size_t diskCap_;
  std::shared_ptr<Shadow> shadow_ = std::make_shared<Shadow>();
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  uint64_t state_ = 0;
  uint64_t lastState_ = 0;
  QString pending_;    // the name of the step in progress
  size_t memory_ = 0;  // small steps
  size_t bulk_ = 0;    // large steps, raw
  size_t large_ = 0;   // how many large steps there are
  // Hears that a packing has finished, on the user-interface thread. The
  // worker goes first (it is the last member), so nothing reports to it late.
  std::unique_ptr<QObject> listener_ = std::make_unique<QObject>();
  common::Lane worker_;
};

}  // namespace paint
