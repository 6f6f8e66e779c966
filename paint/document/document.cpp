#include "paint/document/document.h"

#include "common/i18n.h"
#include "common/picture_box.h"

namespace paint {

Document::Document(common::PictureBox& canvas)
    : canvas_(canvas), history_(canvas), selection_(canvas) {
  savedState_ = history_.Current();
  selection_.changed.Add([this] { selectionChanged(); });
}

bool Document::IsModified() const {
  return canvas_.Drawn() || history_.Current() != savedState_;
}

void Document::Changed() {
  changed();
  if (const bool clean = !IsModified(); clean != clean_) {
    clean_ = clean;
    cleanChanged(clean);
  }
}

void Document::Edit(const QString& name, const std::function<void()>& change) {
  EndGesture();
  history_.Checkpoint();  // what came before is not part of this step
  history_.LetGo();
  history_.Name(name);
  change();
  history_.Checkpoint();
  Changed();
}

void Document::BeginGesture(const QString& name) {
  EndGesture();
  history_.Checkpoint();
  history_.Name(name);
  inGesture_ = true;
}

void Document::EndGesture() {
  if (!inGesture_) return;
  inGesture_ = false;
  history_.Checkpoint();
  Changed();
}

void Document::SettleSelection() {
  if (selection_.Floating()) {
    const QString name =
        selection_.Pasted() ? common::Tr("paint", "Paste") : common::Tr("paint", "Move Selection");
    Edit(name, [this] { selection_.SetDown(); });
  }
  selection_.Drop();
}

void Document::Begin(const QImage& picture, const QString& file, const ImageSource& source) {
  inGesture_ = false;
  selection_.Drop();
  if (picture.isNull()) {
    canvas_.NewPicture();
  } else {
    canvas_.SetPicture(picture);
  }
  history_.Reset();
  file_ = file;
  source_ = source;
  savedState_ = history_.Current();
  begun();
  Changed();
}

void Document::BeginUnsaved(const QImage& picture, const QString& file, const ImageSource& source) {
  Begin(picture, file, source);
  savedState_ = 0;  // no state of this history: it was never saved
  Changed();
}

void Document::Saved(const QString& file, const ImageSource& source) {
  EndGesture();
  file_ = file;
  source_ = source;
  savedState_ = history_.State();
  Changed();
}

void Document::Undo() {
  inGesture_ = false;  // a stroke in progress is the step to take back
  history_.Undo();
  Changed();
}

void Document::Redo() {
  inGesture_ = false;
  history_.Redo();
  Changed();
}

Document::Snapshot Document::Take() const {
  const std::shared_ptr<const common::SettledPicture> pixels = canvas_.Settled();
  return {pixels, pixels->Version(), history_.Current()};
}

}  // namespace paint
