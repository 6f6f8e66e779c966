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
constexpr int kRowsAtOnce = 16;  // the lock on the picture is held this long at most
const QString kSuffix = QStringLiteral(".recovery");
const QString kLockSuffix = QStringLiteral(".lock");
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

Recovery::Recovery(common::Form& form, Document& document)
    : QObject(&form),
      form_(form),
      document_(document),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  form.handlerCalls.Add([this](const common::HandlerCall&) { ++activity_; });
  form.closing.Add([this](QCloseEvent& event) {
    if (!event.isAccepted()) return;
    closed_ = true;  // saved or discarded: nothing more to keep
    Remove();
  });
  // Saved, discarded or replaced: nothing to keep.
  document.cleanChanged.Add([this](bool clean) {
    if (!clean) return;
    written_ = document_.State();
    Remove();
  });
  written_ = document.State();
  connect(&poll_, &QTimer::timeout, this, &Recovery::Poll);
  poll_.start(kPollMs);
}

Recovery::~Recovery() {
  worker_.reset();  // a copy being written is finished first, then removed
  Remove();
}

Recovery& AttachRecovery(common::Form& form, Document& document) {
  return *new Recovery(form, document);
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
  lock_ = std::make_unique<QLockFile>(QDir(Folder()).filePath(id_ + kLockSuffix));
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
  // A stroke still held is written once it ends.
  if (document_.InGesture()) return;
  if (!document_.Canvas().Drawn() && document_.State() == written_) return;
  Write();
}

void Recovery::Write() {
  if (!document_.IsModified()) {
    written_ = document_.State();
    Remove();
    return;
  }
  if (!TakeLock()) return;
  writing_ = true;
  const Document::Snapshot snapshot = document_.Take();
  const uint64_t removals = removals_;
  const QString path = CopyPath();
  const QString file = document_.File();
  const ImageSource source = document_.Source();
  worker_->Post([this, snapshot, path, file, source, removals] {
    // Some rows at a time, packed straight into the file; a change meanwhile
    // makes this copy stale, and the next pause writes a new one.
    QSaveFile out(path);
    QDataStream stream(&out);
    std::optional<PixelPacker> packer;
    qint64 sizeAt = 0;
    std::vector<uchar> bytes;
    bool written = out.open(QIODevice::WriteOnly);
    for (int y = 0; written; y += kRowsAtOnce) {
      const std::optional<common::SettledPicture::Rows> rows =
          snapshot.pixels->CopyRows(snapshot.version, y, kRowsAtOnce, bytes);
      if (!rows) {
        written = false;
        break;
      }
      if (!packer) {
        stream << kMagic << kVersion << QDateTime::currentDateTime() << file << source.format
               << qint32(source.frames) << source.deep << rows->size << qint32(rows->format);
        // The packed bytes as a byte array: their length, filled in at the end.
        sizeAt = out.pos();
        stream << quint32(0);
        packer.emplace(rows->size.width(), [&out](const char* data, size_t size) {
          return out.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
        });
      }
      if (rows->count == 0) break;
      packer->AddRows(bytes.data(), rows->stride, rows->count);  // outside the lock
    }
    if (written && packer) {
      packer->Finish();
      const qint64 length = out.pos() - sizeAt - qint64(sizeof(quint32));
      written = !packer->Failed() && length < qint64(0xfffffffe) && out.seek(sizeAt);
      if (written) stream << quint32(length);
      written = written && stream.status() == QDataStream::Ok && out.commit();
    }
    QMetaObject::invokeMethod(
        this,
        [this, state = snapshot.state, removals, written] {
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
  // The lock of a program that ended without leaving a copy guards nothing:
  // taking it and letting go removes it.
  for (const QString& name : folder.entryList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
    const QString id = name.chopped(kLockSuffix.size());
    if (id == id_ || copies.contains(id + kSuffix)) continue;
    QLockFile lock(folder.filePath(name));
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) lock.unlock();
  }
  for (const QString& name : copies) {
    const QString id = name.chopped(kSuffix.size());
    if (id == id_) continue;
    QLockFile lock(folder.filePath(id + kLockSuffix));
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
    document_.BeginUnsaved(left->picture, left->file, left->source);
    // The copy becomes this program's own, so that it is never without one.
    if (TakeLock() && QFile::rename(path, CopyPath())) {
      written_ = document_.State();
    } else {
      QFile::remove(path);
      written_ = kNothingWritten;  // the next pause writes a copy of its own
    }
    return true;
  }
  return false;
}

}  // namespace paint
