#include "paint/tools/redact_tool.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <random>

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"
#include "paint/image/marks.h"
#include "paint/tools/mark_settings.h"

namespace paint {

RedactTool::RedactTool(ToolContext& context) : Tool(context) {
  context.Canvas().paintOver.Add([this](QPainter& painter) { Paint(painter); });
  Document& document = context.Doc();
  document.begun.Add([this] { inHistory_ = clipboardStale_ = false; });
  document.changed.Add([this] { AfterChange(); });
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &context.Canvas(),
                   [this] { clipboardStale_ = false; });
}

QString RedactTool::Description() const {
  return common::Tr("paint", "Redact: drag a rectangle over what to hide");
}

QRect RedactTool::Area() const {
  return dragging_ ? QRect(from_, to_).normalized() & Context().Canvas().InnerRect() : QRect();
}

void RedactTool::Press(QPoint at) {
  from_ = to_ = at;
  dragging_ = true;
  // Drawn now so that the preview shows the blocks that will land.
  seed_ = std::random_device()();
  Context().RepaintPicture(Area());
}

void RedactTool::Drag(QPoint at) {
  if (!dragging_) return;
  const QRect before = Area();
  to_ = at;
  Context().RepaintPicture(before | Area());
}

void RedactTool::Release() {
  if (!dragging_) return;
  const QRect area = Area();
  dragging_ = false;
  Context().RepaintPicture(area);
  if (area.isEmpty()) return;
  const QRgb colour = common::ResolveColour(Context().Colour());
  const bool blocks = Context().Settings().blocks;
  Context().Doc().Edit(common::Tr("paint", "Redact"), [&] {
    Context().Canvas().Modify([&](QImage& picture, const auto& keep) {
      keep(area);
      return blocks ? RedactInBlocks(picture, area, colour, seed_)
                    : RedactSolid(picture, area, colour);
    });
  });
  inHistory_ = true;
  clipboardStale_ = clipboardStale_ || QGuiApplication::clipboard()->ownsClipboard();
}

void RedactTool::Settle() {
  if (!dragging_) return;
  const QRect area = Area();
  dragging_ = false;
  Context().RepaintPicture(area);
}

void RedactTool::AfterChange() {
  Document& document = Context().Doc();
  const bool saved = document.File() != file_ || !(document.Source().stamp == stamp_);
  file_ = document.File();
  stamp_ = document.Source().stamp;
  if (!saved || document.IsModified() || !inHistory_) return;
  inHistory_ = false;
  // The file now holds the redacted picture: nothing of what it hides stays.
  document.History().Reset();
  document.Saved(file_, document.Source());
  if (clipboardStale_ && QGuiApplication::clipboard()->ownsClipboard())
    QGuiApplication::clipboard()->clear();
  clipboardStale_ = false;
}

void RedactTool::Paint(QPainter& painter) const {
  const QRect area = Area();
  if (area.isEmpty()) return;
  const QRgb colour = common::ResolveColour(Context().Colour());
  if (Context().Settings().blocks) {
    painter.drawImage(QRectF(area), RedactionBlocks(area, colour, seed_));
  } else {
    painter.fillRect(area, QColor::fromRgb(colour));
  }
}

}  // namespace paint
