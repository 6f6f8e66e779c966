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
  // An empty one, to be added to a piece at a time: a large picture is
  // packed straight into it, never whole in memory.
  static std::shared_ptr<Stash> Begin();
  ~Stash();
  Stash(const Stash&) = delete;
  Stash& operator=(const Stash&) = delete;

  // Adds bytes at the end; false when neither the file nor memory can
  // take them.
  bool Append(const char* data, qsizetype size);
  // The bytes again; empty if the file can no longer be read.
  QByteArray Take() const;
  // Some of them; false past the end or when the file can no longer be read.
  bool Read(qsizetype offset, char* into, qsizetype size) const;
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
