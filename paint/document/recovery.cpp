#include "paint/document/recovery.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>
#include <cstring>
#include <optional>
#include <vector>

#include "common/aside.h"
#include "common/dialogs.h"
#include "common/i18n.h"
#include "paint/document/packed_pixels.h"

namespace paint {
namespace {

constexpr int kPollMs = 1000;           // the copy follows a pause of one to two polls
constexpr quint32 kMagic = 0x534b5243;  // "SKRC"
constexpr quint32 kVersion = 1;
constexpr int kRowsAtOnce = 64;  // the lock on the picture is held this long at most
const QString kSuffix = QStringLiteral(".recovery");
constexpr uint64_t kNothingWritten = UINT64_MAX;  // no state of any history

struct LeftDrawing {
  QDateTime written;
  QString file;
  ImageSource source;
  QImage picture;
};

// A copy that was left behind: nothing when it cannot be read now, and
// `damaged` when it never can (cut short, or not a copy at all).
std::optional<LeftDrawing> ReadCopy(const QString& path, bool& damaged) {
  damaged = false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QDataStream in(&file);
  quint32 magic = 0, version = 0;
  qint32 frames = 1, format = 0;
  QSize size;
  QByteArray packed;
  LeftDrawing left;
  in >> magic >> version;
  damaged = in.status() != QDataStream::Ok || magic != kMagic;
  if (damaged || version != kVersion) return std::nullopt;  // another version's: kept
  in >> left.written >> left.file >> left.source.format >> frames >> left.source.deep >> size >>
      format >> packed;
  damaged = in.status() != QDataStream::Ok;
  if (damaged) return std::nullopt;
  left.source.frames = frames;
  left.picture = UnpackPixels(packed, size, static_cast<QImage::Format>(format));
  // Unpacked, it may not fit in memory now: kept for a later start.
  if (left.picture.isNull()) return std::nullopt;
  return left;
}

}  // namespace

Recovery::Recovery(Form1& form, Sketchly& sketchly)
    : QObject(&form),
      form_(form),
      sketchly_(sketchly),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  form.handlerCalls.Add([this](const common::HandlerCall&) { ++activity_; });
  form.closing.Add([this](QCloseEvent& event) {
    if (!event.isAccepted()) return;
    closed_ = true;  // saved or discarded: nothing more to keep
    Remove();
  });
  sketchly.settled.Add([this] {
    written_ = sketchly_.History().Current();
    Remove();
  });
  written_ = sketchly.History().Current();
  connect(&poll_, &QTimer::timeout, this, &Recovery::Poll);
  poll_.start(kPollMs);
}

Recovery::~Recovery() {
  worker_.reset();  // a copy being written is finished first, then removed
  Remove();
}

Recovery& AttachRecovery(Form1& form, Sketchly& sketchly) {
  return *new Recovery(form, sketchly);
}

QString Recovery::Folder() {
  // The XDG state folder; Qt's QStandardPaths knows it only from Qt 6.7 on.
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (!QDir::isAbsolutePath(state))
    state = QDir(QStandardPaths::writableLocation(QStandardPaths::HomeLocation))
                .filePath(QStringLiteral(".local/state"));
  return QDir(state).filePath(QStringLiteral("sketchly"));
}

QString Recovery::CopyPath() const {
  return QDir(Folder()).filePath(id_ + kSuffix);
}

void Recovery::Remove() {
  ++removals_;
  QFile::remove(CopyPath());
}

bool Recovery::TakeLock() {
  if (lock_) return true;
  QDir().mkpath(Folder());
  lock_ = std::make_unique<QLockFile>(QDir(Folder()).filePath(id_ + QStringLiteral(".lock")));
  if (lock_->tryLock(0)) return true;
  lock_.reset();
  return false;
}

void Recovery::Poll() {
  // Never in the middle of a stroke or of work aside, and only once the
  // user has paused for a whole poll.
  if (closed_ || writing_ || common::AsideWaiting() ||
      QGuiApplication::mouseButtons() != Qt::NoButton)
    return;
  if (activity_ != quietSince_) {
    quietSince_ = activity_;
    return;
  }
  UndoHistory& history = sketchly_.History();
  if (!form_.GetPicture("Picture1").Drawn() && history.Current() == written_) return;
  Write();
}

void Recovery::Write() {
  UndoHistory& history = sketchly_.History();
  if (!sketchly_.Modified()) {  // ends the step in progress, so the picture is current
    written_ = history.Current();
    Remove();
    return;
  }
  if (!TakeLock()) return;
  writing_ = true;
  const uint64_t state = history.Current();
  const uint64_t removals = removals_;
  std::shared_ptr<Shadow> shadow = history.Picture();
  uint64_t version = 0;
  {
    const std::lock_guard<std::mutex> lock(shadow->mutex);
    version = shadow->version;
  }
  const QString path = CopyPath();
  const QString file = sketchly_.CurrentFile();
  const ImageSource source = sketchly_.Source();
  worker_->Post([this, shadow, version, path, file, source, state, removals] {
    // Row by row under the lock; a change meanwhile makes this copy stale,
    // and the next pause writes a new one.
    bool current = true;
    QSize size;
    QImage::Format format = QImage::Format_RGB32;
    std::optional<PixelPacker> packer;
    std::vector<uchar> rows;
    for (int y = 0;; y += kRowsAtOnce) {
      std::unique_lock<std::mutex> lock(shadow->mutex);
      const QImage& image = shadow->image;
      if (shadow->version != version) {
        current = false;
        break;
      }
      if (!packer) {
        size = image.size();
        format = image.format();
        packer.emplace(image.width());
      }
      if (y >= image.height()) break;
      const int count = std::min(kRowsAtOnce, image.height() - y);
      const qsizetype stride = image.bytesPerLine();
      rows.resize(static_cast<size_t>(stride) * count);
      std::memcpy(rows.data(), image.constScanLine(y), rows.size());
      lock.unlock();  // packed outside the lock
      packer->AddRows(rows.data(), stride, count);
    }
    bool written = false;
    if (current && packer) {
      const QByteArray packed = packer->Finish();
      QSaveFile out(path);
      if (!packed.isEmpty() && out.open(QIODevice::WriteOnly)) {
        QDataStream stream(&out);
        stream << kMagic << kVersion << QDateTime::currentDateTime() << file << source.format
               << qint32(source.frames) << source.deep << size << qint32(format) << packed;
        written = stream.status() == QDataStream::Ok && out.commit();
      }
    }
    QMetaObject::invokeMethod(
        this,
        [this, state, removals, written] {
          writing_ = false;
          if (removals != removals_) {
            Remove();  // saved or discarded while it was written
          } else if (written) {
            written_ = state;
          }
        },
        Qt::QueuedConnection);
  });
}

void Recovery::WriteNow() {
  Write();
  while (writing_) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool Recovery::OfferLeftDrawing() {
  const QDir folder(Folder());
  const QStringList copies =
      folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time);
  for (const QString& name : copies) {
    const QString id = name.chopped(kSuffix.size());
    if (id == id_) continue;
    QLockFile lock(folder.filePath(id + QStringLiteral(".lock")));
    lock.setStaleLockTime(0);        // a running program's lock is never stale, however old
    if (!lock.tryLock(0)) continue;  // its program still runs, or another start has it
    const QString path = folder.filePath(name);
    bool damaged = false;
    const std::optional<LeftDrawing> left = ReadCopy(path, damaged);
    if (!left) {
      if (damaged) QFile::remove(path);  // nothing in it to offer
      continue;
    }
    const QLocale locale;
    const QString when = left->written.date() == QDate::currentDate()
                             ? locale.toString(left->written.time(), QLocale::ShortFormat)
                             : locale.toString(left->written, QLocale::ShortFormat);
    const QString question =
        left->file.isEmpty()
            ? common::Tr("paint",
                         "Sketchly was not closed properly. Recover the unsaved drawing from %1?")
                  .arg(when)
            : common::Tr("paint",
                         "Sketchly was not closed properly. Recover the unsaved changes to "
                         "\"%1\" from %2?")
                  .arg(QFileInfo(left->file).fileName(), when);
    const bool recover =
        form_.MsgBox(question.toStdString(), common::kRecoverDiscard | common::kQuestion,
                     form_.Caption()) == common::kRecoverAnswer;
    if (!recover) {
      QFile::remove(path);
      return false;
    }
    sketchly_.Restore(left->picture, left->file, left->source);
    // The copy becomes this program's own, so that it is never without one.
    if (TakeLock() && QFile::rename(path, CopyPath())) {
      written_ = sketchly_.History().Current();
    } else {
      QFile::remove(path);
      written_ = kNothingWritten;  // the next pause writes a copy of its own
    }
    return true;
  }
  return false;
}

}  // namespace paint
