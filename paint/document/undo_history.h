#pragma once

#include <QImage>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "common/background.h"
#include "common/picture_box.h"
#include "paint/document/packed_pixels.h"

namespace paint {

// Undo and redo of a canvas. A step is what changed between two checkpoints
// (a press on the canvas, before and after a clear, a paste or a new size):
// the tiles it changed as they are on the other side, or the whole picture
// when it was replaced. The canvas keeps each tile as it was before the
// first change to it, so a step costs what it changed and nothing keeps a
// second copy of the picture.
//
// The last kKeptSteps steps are always kept, whatever their size. A large
// step is packed aside (packed_pixels.h) into the user's cache folder as
// soon as it is made, and once packed holds no memory of the program's
// unless it is the one at hand (the last made or taken across); older
// steps are dropped only while small ones hold more than `cap` bytes of
// memory or large ones more than `diskCap` bytes unpacked (what they keep
// packed is less).
class UndoHistory {
 public:
  static constexpr size_t kDefaultCap = size_t{48} << 20;  // some 140 whole canvases
  static constexpr size_t kDefaultDiskCap = size_t{4} << 30;
  static constexpr size_t kKeptSteps = 10;
  static constexpr qsizetype kPackAbove = qsizetype{4} << 20;
  static constexpr int kPauseMs = 1000;

  explicit UndoHistory(common::PictureBox& canvas, size_t cap = kDefaultCap,
                       size_t diskCap = kDefaultDiskCap);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // What a step keeps: see common::Originals.
  using Pixels = std::shared_ptr<common::Originals>;

  // Ends the step in progress, under the name the last Name gave it; an
  // empty one is dropped. A new step drops what could be redone.
  void Checkpoint();
  // A step that may replace the whole picture may follow: the step at hand
  // lets go of its unpacked pixels once packed, so that the picture, its
  // replacement and one step are all that is ever held.
  void LetGo();
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
  // when nothing needs unpacking. The step at hand lets go first.
  std::function<Pixels()> PackedNext(bool undo);
  void Unpacked(bool undo, Pixels pixels);
  // Waits for the packing in progress and lets go of what it packed.
  void Settle();

 private:
  struct Packing {
    std::atomic<bool> done{false};
    std::atomic<bool> stop{false};          // the pixels are about to change: give up
    std::optional<PackedOriginals> result;  // none if packing failed
  };
  struct Step {
    Pixels pixels;  // as they are on the other side; null while only packed
    std::shared_ptr<Packing> packed;
    qsizetype raw = 0;   // the pixels' bytes, unpacked
    uint64_t state = 0;  // after the step
    uint64_t before = 0;
    QString name;
  };
  static bool Large(const Step& step) { return step.raw > kPackAbove; }
  static bool Packed(const Step& step) {
    return step.packed && step.packed->done && step.packed->result;
  }
  bool Travel(std::deque<Step>& from, std::deque<Step>& to, uint64_t Step::*lands);
  // Packs large steps aside and frees the raw pixels of those packed; with
  // `letGo`, the step at hand's too.
  void Balance(bool letGo = false);
  void Trim();
  // Keeps the totals below as a step joins (sign 1) or leaves (-1) a list.
  void Account(const Step& step, int sign);
  void ForgetAll(std::deque<Step>& steps);
  // Every step: the canvas holds a new document, or memory ran out.
  void Forget();
  // A step leaves the history.
  void Drop(const Step& step);
  // The step at hand, if it is large and holds its pixels.
  Step* Hand();
  // Starts packing a large step aside.
  void Pack(Step& step);

  common::PictureBox& canvas_;
  size_t cap_;
  size_t diskCap_;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  uint64_t state_ = 0;
  uint64_t lastState_ = 0;
  uint64_t hand_ = 0;  // the state after the step at hand
  // The step at hand is packed once the user pauses, not while they work.
  QTimer pause_;
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
