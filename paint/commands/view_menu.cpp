#include "paint/commands/view_menu.h"

#include <algorithm>

#include "common/i18n.h"
#include "common/menu.h"
#include "common/zoom.h"
#include "paint/document/document.h"
#include "paint/form1.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<ViewMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "Zoom &In"),
     QKeySequence::ZoomIn, "Ctrl+=", &ViewMenu::ZoomIn},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "Zoom &Out"),
     QKeySequence::ZoomOut, "", &ViewMenu::ZoomOut},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "&Actual Size"),
     QKeySequence::UnknownKey, "Ctrl+0", &ViewMenu::ActualSize},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "&Fit in Window"),
     QKeySequence::UnknownKey, "", &ViewMenu::FitInWindow},
};

}  // namespace

ViewMenu::ViewMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  common::AddMenus<ViewMenu>(bench.form, *this, kMenu);
  bench.document.begun.Add([this] {
    common::PictureBox& canvas = bench_.form.Canvas();
    canvas.SetZoom(std::min(1.0, canvas.FitZoom()));
    canvas.ScrollTo(QPoint());
  });
}

QList<common::ShortcutRow> ViewMenu::ShortcutRows() const {
  return common::ShortcutRows<ViewMenu>(kMenu);
}

void ViewMenu::ZoomIn() {
  common::PictureBox& canvas = bench_.form.Canvas();
  canvas.SetZoom(common::NextZoom(canvas.Zoom(), true));
}

void ViewMenu::ZoomOut() {
  common::PictureBox& canvas = bench_.form.Canvas();
  canvas.SetZoom(common::NextZoom(canvas.Zoom(), false));
}

void ViewMenu::ActualSize() {
  bench_.form.Canvas().SetZoom(1.0);
}

void ViewMenu::FitInWindow() {
  common::PictureBox& canvas = bench_.form.Canvas();
  canvas.SetZoom(canvas.FitZoom());
}

}  // namespace paint
