#include "paint/document/stash.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <new>

#include <QDir>
#include <QStandardPaths>

namespace paint {
namespace {

// Writes or reads all of the bytes at an offset, as far as the file allows.
template <class Call>
bool Whole(Call call, char* data, qsizetype size) {
  qsizetype done = 0;
  while (done < size) {
    const ssize_t got = call(data + done, static_cast<size_t>(size - done), done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += got;
  }
  return true;
}

int UnnamedCacheFile() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return -1;
  QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral("undo-XXXXXX")));
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) unlink(name.constData());
  return fd;
}

}  // namespace

std::shared_ptr<Stash> Stash::Begin() {
  std::shared_ptr<Stash> stash(new Stash);
  stash->fd_ = UnnamedCacheFile();
  return stash;
}

bool Stash::Append(const char* data, qsizetype size) {
  if (fd_ >= 0) {
    auto* bytes = const_cast<char*>(data);  // only read by pwrite
    const int fd = fd_;
    const qsizetype end = size_;
    if (Whole([fd, end](char* at, size_t n,
                        qsizetype offset) { return pwrite(fd, at, n, end + offset); },
              bytes, size)) {
      size_ += size;
      return true;
    }
    // A full disk: memory is better than losing the step.
    QByteArray kept;
    try {
      kept = Take();
    } catch (const std::bad_alloc&) {
      return false;
    }
    if (kept.size() != size_) return false;
    close(fd_);
    fd_ = -1;
    memory_ = std::move(kept);
  }
  try {
    memory_.append(data, size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  size_ += size;
  return true;
}

Stash::~Stash() {
  if (fd_ >= 0) close(fd_);
}

QByteArray Stash::Take() const {
  QByteArray bytes(size_, Qt::Uninitialized);
  return Read(0, bytes.data(), size_) ? bytes : QByteArray();
}

bool Stash::Read(qsizetype offset, char* into, qsizetype size) const {
  if (offset < 0 || size < 0 || offset + size > size_) return false;
  if (fd_ < 0) {
    std::copy_n(memory_.constData() + offset, size, into);
    return true;
  }
  const int fd = fd_;
  return Whole(
      [fd, offset](char* at, size_t n, qsizetype done) { return pread(fd, at, n, offset + done); },
      into, size);
}

}  // namespace paint
