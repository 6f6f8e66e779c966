#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

namespace paint {

class Document;
class Form1;
class ToolBox;

// What every menu's commands act on: the window, its document and its tools.
struct Workbench {
  Form1& form;
  Document& document;
  ToolBox& tools;

  // A message box titled with the window's caption; the answer.
  int Box(const QString& prompt, int buttons) const;
  // The picture made anew aside (a new size, a turn...) while the window
  // waits with a Cancel button; nothing when cancelled.
  std::optional<QImage> MadeAside(const QString& text,
                                  std::function<QImage(const QImage&)> make) const;
};

}  // namespace paint
