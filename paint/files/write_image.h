#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <mutex>

#include "paint/files/compression.h"
#include "paint/files/metadata.h"

namespace paint {

// Saving a picture to a file, whole or not at all, under any name the
// system takes, in any format that can be written.

// Lets the user-interface thread stop a save running aside, up to the
// moment the new file takes the old one's place.
class SaveControl {
 public:
  // False when too late: the file is being put in place.
  bool Cancel();
  // The writer's side: false when cancelled.
  bool Commit();
  const std::atomic<bool>* Stop() const { return &stop_; }

 private:
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  bool committing_ = false;
};

// Writes the image in the format that the name's suffix names (PNG without
// one), through a temporary file that replaces the old one only when all is
// written; the lossy ones with the compression given, and the photo's
// details in every format that holds them, their sizes set to the
// picture's. Returns the reason of a failure in words, or an empty string.
QString WriteImage(const QString& path, const QImage& image, const Compression& compression = {},
                   SaveControl* control = nullptr, const PhotoDetails& details = {});

}  // namespace paint
