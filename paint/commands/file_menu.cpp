#include "paint/commands/file_menu.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <future>
#include <memory>

#include "common/aside.h"
#include "common/dialogs.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "paint/commands/details_dialog.h"
#include "paint/commands/quality_dialog.h"
#include "paint/document/document.h"
#include "paint/files/save_policy.h"
#include "paint/files/write_image.h"
#include "paint/form1.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<FileMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&New"), QKeySequence::New, "",
     &FileMenu::New},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Open..."),
     QKeySequence::Open, "", &FileMenu::Open},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Save"), QKeySequence::Save,
     "", &FileMenu::Save},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "Save &As..."),
     QKeySequence::SaveAs, "Ctrl+Shift+S", &FileMenu::SaveAs},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Quit"), QKeySequence::Quit,
     "Ctrl+Q", &FileMenu::Quit},
};
constexpr size_t kSaveItem = 2;

}  // namespace

FileMenu::FileMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  actions_ = common::AddMenus<FileMenu>(bench.form, *this, kMenu);
  Document& document = bench.document;
  QAction* save = actions_[kSaveItem];
  save->setEnabled(false);
  document.cleanChanged.Add([save](bool clean) { save->setEnabled(!clean); });
  bench.form.closing.Add([this](QCloseEvent& event) {
    if (!SettleUnsaved()) event.ignore();
  });
  bench.form.setAcceptDrops(true);
  bench.form.fileDropped.Add([this](const QString& path) { OpenFile(path, true); });
}

QList<common::ShortcutRow> FileMenu::ShortcutRows() const {
  return common::ShortcutRows<FileMenu>(kMenu);
}

void FileMenu::Quit() {
  bench_.form.close();
}

void FileMenu::New() {
  if (!SettleUnsaved()) return;
  bench_.document.Begin(QImage(), QString(), ImageSource());
}

void FileMenu::Open() {
  if (!SettleUnsaved()) return;
  const auto path = common::ChooseFile(
      {&bench_.form, common::FileDialogMode::kOpen, common::Tr("paint", "Open Image").toStdString(),
       OpenFilters().toStdString(), bench_.document.File().toStdString(), ""});
  if (path) OpenFile(QString::fromStdString(*path));
}

bool FileMenu::OpenFile(const QString& path, bool settleFirst) {
  if (settleFirst && !SettleUnsaved()) return false;
  auto read = std::make_shared<ReadResult>();
  const QString busy = common::Tr("paint", "Opening %1...").arg(QFileInfo(path).fileName());
  if (!common::RunAside(&bench_.form, busy, [read, path] { *read = ReadImage(path); }))
    return false;
  if (read->image.isNull()) {
    bench_.Box(common::Tr("paint", "Could not open \"%1\": it %2.").arg(path, read->error),
               common::kCritical);
    return false;
  }
  bench_.document.Begin(read->image, path, read->source);
  if (read->source.damaged)
    bench_.Box(
        common::Tr("paint", "\"%1\" is damaged: only part of the picture could be read.").arg(path),
        common::kCritical);
  return true;
}

bool FileMenu::SaveDrawing() {
  bench_.tools.Settle();  // a paste still floating is part of what is saved
  if (bench_.document.File().isEmpty()) return SaveDrawingAs();
  if (!SizeFits(bench_.document.File())) return false;
  // Another program's version of the file is not replaced unasked.
  if (const FileStamp now = FileStamp::Of(bench_.document.File());
      now.size >= 0 && bench_.document.Source().stamp.size >= 0 &&
      !(now == bench_.document.Source().stamp)) {
    switch (
        bench_.Box(common::Tr("paint",
                              "\"%1\" was changed by another program since it was opened or saved "
                              "here. Overwrite it with this drawing?")
                       .arg(bench_.document.File()),
                   common::kOverwriteSaveAsCancel | common::kQuestion)) {
      case common::kOverwriteAnswer:
        break;
      case common::kSaveAsAnswer:
        return SaveDrawingAs();
      default:
        return false;
    }
  }
  const QImage picture = bench_.form.Canvas().Picture();  // shared: a copy would hold up the window
  const QStringList losses = Losses(bench_.document.File(), picture, bench_.document.Source());
  if (losses.isEmpty())
    return SaveTo(bench_.document.File(), picture, bench_.document.Source().compression,
                  bench_.document.Source().details);
  const QString question =
      Writable(bench_.document.File())
          ? common::Tr("paint", "The file was not changed. Save the picture under another name?")
          : common::Tr("paint", "Save the picture as PNG instead?");
  return bench_.Box(losses.join(u' ') + u' ' + question, common::kYesNo | common::kQuestion) ==
             common::kYesAnswer &&
         SaveDrawingAs();
}

bool FileMenu::SaveDrawingAs() {
  bench_.tools.Settle();
  const QString start = WritableName(bench_.document.File());
  std::string filter;
  const auto chosen = common::ChooseFile({&bench_.form, common::FileDialogMode::kSave,
                                          common::Tr("paint", "Save Drawing").toStdString(),
                                          SaveFilters().toStdString(), start.toStdString(), "",
                                          SaveFilterOf(FormatOf(start)).toStdString(), &filter});
  if (!chosen) return false;
  QString path = QString::fromStdString(*chosen);
  // A name without the suffix of a type that can be written is saved as
  // the type chosen.
  if (QFileInfo(path).suffix().isEmpty() || !Writable(path)) {
    path += u'.' + QString::fromLatin1(FormatOfFilter(QString::fromStdString(filter)));
    if (QFileInfo::exists(path) &&
        bench_.Box(common::Tr("paint", "\"%1\" already exists. Replace it?").arg(path),
                   common::kYesNo | common::kQuestion) != common::kYesAnswer)
      return false;
  }
  if (!SizeFits(path)) return false;
  // Over the file it came from, what that file holds counts too; elsewhere
  // only what the picture holds can be lost.
  const bool sameFile =
      !bench_.document.File().isEmpty() && QFileInfo(path) == QFileInfo(bench_.document.File());
  const QImage picture = bench_.form.Canvas().Picture();
  const QStringList losses =
      Losses(path, picture, sameFile ? bench_.document.Source() : ImageSource());
  if (!losses.isEmpty() &&
      bench_.Box(losses.join(u' ') + u' ' + common::Tr("paint", "Save it all the same?"),
                 common::kYesNo | common::kQuestion) != common::kYesAnswer)
    return false;
  const QByteArray format = FormatOf(path);
  // Going to another file, perhaps to be shared: where it was taken and
  // whom it names go only if the user keeps them.
  PhotoDetails details = bench_.document.Source().details;
  if ((details.located || details.personal) && CarriesDetails(format)) {
    const std::optional<bool> remove = AskRemoveDetails(&bench_.form, details);
    if (!remove) return false;
    if (*remove) details = Shareable(details);
  }
  Compression compression;
  if (Lossy(format, Compression())) {
    // Asked once; Save keeps it.
    const bool likeSource = bench_.document.Source().format == Canonical(format);
    Compression start = likeSource ? bench_.document.Source().compression : Compression();
    if (start.lossless) start.quality = 100;
    if (start.quality < 1) start.quality = kDefaultQuality;
    const std::optional<int> quality = AskQuality(&bench_.form, picture, format, start);
    if (!quality) return false;
    compression.quality = *quality;
    compression.fullChroma = start.fullChroma;
    compression.lossless = (format == "webp" || format == "jxl") && *quality == 100;
  }
  return SaveTo(path, picture, compression, details);
}

bool FileMenu::SizeFits(const QString& path) {
  const QString problem = SizeProblem(path, bench_.form.Canvas().InnerRect().size());
  if (problem.isEmpty()) return true;
  bench_.Box(common::Tr("paint", "Could not save \"%1\": %2.").arg(path, problem),
             common::kCritical);
  return false;
}

bool FileMenu::SaveTo(const QString& path, const QImage& picture, const Compression& compression,
                      const PhotoDetails& details) {
  auto control = std::make_shared<SaveControl>();
  auto written = std::make_shared<std::promise<QString>>();
  std::future<QString> error = written->get_future();
  const bool finished = common::RunAside(
      &bench_.form, common::Tr("paint", "Saving %1...").arg(QFileInfo(path).fileName()),
      [control, written, path, picture, compression, details] {
        try {
          written->set_value(WriteImage(path, picture, compression, control.get(), details));
        } catch (...) {
          written->set_exception(std::current_exception());
        }
      });
  // Still saving: the next stroke's copy of the picture, which the save
  // shares, is made aside meanwhile. Once saved, no copy is needed at all.
  if (!finished) bench_.form.Canvas().CopyAhead();
  // Cancelled in time, the old file stays as it was; too late, the new one
  // is being put in its place and is waited for.
  if (!finished && control->Cancel()) return false;
  if (const QString reason = error.get(); !reason.isEmpty()) {
    bench_.Box(common::Tr("paint", "Could not save \"%1\": %2.").arg(path, reason),
               common::kCritical);
    return false;
  }
  ImageSource saved;
  saved.format = Canonical(FormatOf(path));
  saved.compression = compression;
  saved.stamp = FileStamp::Of(path);
  if (CarriesDetails(FormatOf(path))) saved.details = details;
  bench_.document.Saved(path, saved);
  return true;
}

bool FileMenu::SettleUnsaved() {
  if (!bench_.document.IsModified()) return true;
  switch (bench_.Box(common::Tr("paint", "The drawing has changes that are not saved. Save them?"),
                     common::kSaveDiscardCancel | common::kQuestion)) {
    case common::kSaveAnswer:
      return SaveDrawing();
    case common::kDiscardAnswer:
      return true;
    default:
      return false;
  }
}

}  // namespace paint
