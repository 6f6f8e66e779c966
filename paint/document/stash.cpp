#include "paint/document/stash.h"

#include <fcntl.h>
#include <unistd.h>

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

std::shared_ptr<Stash> Stash::Keep(const QByteArray& bytes) {
  std::shared_ptr<Stash> stash(new Stash);
  stash->size_ = bytes.size();
  const int fd = UnnamedCacheFile();
  auto* data = const_cast<char*>(bytes.constData());  // only read by pwrite
  if (fd >= 0 &&
      Whole([fd](char* at, size_t n, qsizetype offset) { return pwrite(fd, at, n, offset); }, data,
            bytes.size())) {
    stash->fd_ = fd;
  } else {
    if (fd >= 0) close(fd);
    stash->memory_ = bytes;  // a full disk: memory is better than losing the step
  }
  return stash;
}

Stash::~Stash() {
  if (fd_ >= 0) close(fd_);
}

QByteArray Stash::Take() const {
  if (fd_ < 0) return memory_;
  QByteArray bytes(size_, Qt::Uninitialized);
  const int fd = fd_;
  if (!Whole([fd](char* at, size_t n, qsizetype offset) { return pread(fd, at, n, offset); },
             bytes.data(), size_))
    return {};
  return bytes;
}

}  // namespace paint
