#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>

#include "common/dialogs.h"
#include "paint/files/compression.h"

class QWidget;

namespace paint {

class MarkSettings;

// The common dialogs and paint's own: the real ones unless the window was
// given others (common::SetDialogs).
class Dialogs : public common::Dialogs {
 public:
  virtual std::optional<QSize> PictureSize(QWidget* owner, const QSize& current);
  virtual std::optional<QSize> Scale(QWidget* owner, const QSize& current);
  virtual std::optional<int> Quality(QWidget* owner, const QImage& picture,
                                     const QByteArray& format, const Compression& initial);
  // Changes the text tool's font; false when cancelled.
  virtual bool TextFont(QWidget* owner, MarkSettings& settings);
};

// Paint's dialogs for the widget's window.
Dialogs& DialogsOf(const QWidget* widget);

}  // namespace paint
