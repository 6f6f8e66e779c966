#pragma once

#include <QByteArray>
#include <memory>

namespace paint {

// Bytes put away until they are wanted again: in a file of the user's cache
// folder that has no name (so it is gone with the program, even after a
// crash, and its pages are the system's to keep or drop), or in memory where
// no such file can be made. Safe on any thread.
class Stash {
 public:
  static std::shared_ptr<Stash> Keep(const QByteArray& bytes);
  ~Stash();
  Stash(const Stash&) = delete;
  Stash& operator=(const Stash&) = delete;

  // The bytes again; empty if the file can no longer be read.
  QByteArray Take() const;
  qsizetype Size() const { return size_; }
  // Whether they take memory of the program's own.
  bool InMemory() const { return fd_ < 0; }

 private:
  Stash() = default;
  int fd_ = -1;
  qsizetype size_ = 0;
  QByteArray memory_;
};

}  // namespace paint
