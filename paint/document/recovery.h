#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "common/background.h"
#include "common/form.h"
#include "paint/document/document.h"

namespace paint {

// Keeps a copy of an unsaved drawing in the user's state folder, so that a
// crash, a kill or a power cut loses nothing. The copy is written aside once
// the drawing has changed and the user has paused for a moment, is removed
// when the drawing is saved, discarded or closed, and is offered back at the
// next start. Each running program holds a lock on its own copy, so that no
// other start takes it while it runs.
class Recovery : public QObject {
 public:
  Recovery(common::Form& form, Document& document);
  ~Recovery() override;

  // Offers the drawing that a program which ended without closing left
  // behind (one copy per start); true when the user took it back.
  bool OfferLeftDrawing();
  // Brings the copy up to date now if the drawing changed, and waits for it.
  void WriteNow();
  // Where the copies are: the user's state folder.
  static QString Folder();
  QString CopyPath() const;

 private:
  void Poll();
  void Write();
  void Remove();
  // This program's lock on its copy, taken before the copy is first written.
  bool TakeLock();

  common::Form& form_;
  Document& document_;
  QString id_;
  std::unique_ptr<QLockFile> lock_;
  QTimer poll_;
  uint64_t activity_ = 0;  // handler calls so far
  uint64_t quietSince_ = 0;
  uint64_t written_ = 0;   // the history state in the copy
  uint64_t removals_ = 0;  // a copy written before a removal is stale
  bool writing_ = false;
  bool closed_ = false;
  std::unique_ptr<common::Lane> worker_ = std::make_unique<common::Lane>();
};

// Attaches recovery to a drawing window.
Recovery& AttachRecovery(common::Form& form, Document& document);

}  // namespace paint
