#pragma once

// The drawing window with everything the program adds, on real widgets;
// the dialogs answer as each test says.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QImageReader>
#include <QImageWriter>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>
#include "common/aside.h"
#include "common/i18n.h"
#include "common/native_path.h"
#include "common/numbers.h"
#include "common/tests/answered_dialogs.h"
#include "paint/commands/dialogs.h"
#include "paint/commands/picture_size.h"
#include "paint/commands/quality_dialog.h"
#include "paint/commands/sketchly.h"
#include "paint/document/picture_limits.h"
#include "paint/document/recovery.h"
#include "paint/files/compression.h"
#include "paint/files/read_image.h"
#include "paint/files/save_policy.h"
#include "paint/files/write_image.h"
#include "paint/form1.h"
#include "paint/form1_layout.h"
#include "paint/image/image_ops.h"
#include "paint/tool_buttons.h"

namespace paint {

using namespace std::chrono_literals;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr int kBorder = 2;  // the canvas's sunken edge, in logical pixels

// Palette indexes.
constexpr int16_t kRedSwatch = 5;
constexpr int16_t kBlackSwatch = 19;

// The window's dialogs, answered by the test; paint's own too.
struct PaintAnswers : common::AnsweredDialogs<Dialogs> {
  std::function<std::optional<QSize>(const QSize& current)> pictureSize;
  std::function<std::optional<QSize>(const QSize& current)> scale;
  std::function<std::optional<int>(const Compression& initial)> quality;
  std::function<bool(MarkSettings& settings)> textFont;

  std::optional<QSize> PictureSize(QWidget* owner, const QSize& current) override {
    return pictureSize ? pictureSize(current) : Dialogs::PictureSize(owner, current);
  }
  std::optional<QSize> Scale(QWidget* owner, const QSize& current) override {
    return scale ? scale(current) : Dialogs::Scale(owner, current);
  }
  std::optional<int> Quality(QWidget* owner, const QImage& picture, const QByteArray& format,
                             const Compression& initial) override {
    return quality ? quality(initial) : Dialogs::Quality(owner, picture, format, initial);
  }
  bool TextFont(QWidget* owner, MarkSettings& settings) override {
    return textFont ? textFont(settings) : Dialogs::TextFont(owner, settings);
  }
};

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Recent files, here and in the desktop's list, stay within the test.
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    answers->messageBox = [this](const common::MessageBoxRequest& request) {
      boxes.push_back(request);
      return boxAnswer;
    };
    answers->chooseFile = [this](const common::FileDialogRequest& request) {
      fileRequests.push_back(request);
      if (request.chosenFilter) *request.chosenFilter = filterAnswer;
      return fileAnswer;
    };
    answers->quality = [this](const Compression& initial) {
      qualityAsked.push_back(initial.quality);
      return qualityAnswer;
    };
    answers->chooseColour = [this](QWidget*, common::Colour current) {
      dialogSaw.push_back(current);
      return dialogAnswer;
    };
    form = std::make_unique<Form1>();
    common::SetDialogs(*form, answers);
    sketchly = &Attach(*form);
    form->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
  }

  common::PictureBox& Canvas() { return form->GetPicture("Picture1"); }
  void Tool(int16_t index) {
    QTest::mouseClick(&form->GetButton("Command1", index), Qt::LeftButton);
  }
  void Swatch(int16_t index) {
    QTest::mouseClick(&form->GetPicture("Picture2", index), Qt::LeftButton, {}, QPoint(5, 5));
  }
  // Real mouse events at a logical pixel of the canvas's inner area.
  static QPoint At(int x, int y) { return QPoint(x + kBorder, y + kBorder); }
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(&Canvas(), button, {}, At(x, y));
    QTest::mouseRelease(&Canvas(), button, {}, At(x, y));
  }
  void Move(int x, int y, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, QPointF(At(x, y)), Canvas().mapToGlobal(QPointF(At(x, y))),
                     Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(&Canvas(), &move);
  }
  QRgb Pixel(int x, int y) { return Canvas().Pixel(x, y); }
  // The menu command with this text, or this text and a step's name.
  QAction* Command(const char* text) {
    for (QAction* menu : form->MenuBar()->actions())
      for (QAction* action : menu->menu()->actions())
        if (action->text() == text || action->text().startsWith(text + QStringLiteral(" ")))
          return action;
    return nullptr;
  }
  bool Blank() {
    const QImage image = Canvas().Image();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhite) return false;
    return true;
  }

  QImage Drawing() {
    return Canvas().Region(QRect(0, 0, Canvas().InnerWidth(), Canvas().InnerHeight()));
  }
  auto Fields() {
    return std::tuple(form->drawing, form->curColor, form->toolMode, form->startX, form->startY,
                      form->lineClick, form->circleClick, form->fillCircleClick, form->rectClick,
                      form->radius);
  }
  void Drag(int16_t tool, QPoint from, QPoint to) {
    Tool(tool);
    QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(from.x(), from.y()));
    Move(from.x(), from.y(), Qt::LeftButton);
    Move(to.x(), to.y(), Qt::LeftButton);
    QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(to.x(), to.y()));
  }
  std::string Path(const char* name) { return dir.filePath(QString::fromUtf8(name)).toStdString(); }

  std::shared_ptr<PaintAnswers> answers = std::make_shared<PaintAnswers>();
  std::unique_ptr<Form1> form;
  Sketchly* sketchly = nullptr;
  int boxAnswer = common::kOkAnswer;
  std::optional<std::string> fileAnswer;
  std::string filterAnswer;
  std::vector<common::FileDialogRequest> fileRequests;
  std::optional<int> qualityAnswer;
  std::vector<int> qualityAsked;
  QTemporaryDir dir;
  std::vector<common::MessageBoxRequest> boxes;
  std::vector<common::Colour> dialogSaw;
  std::optional<common::Colour> dialogAnswer;
};

inline QImage Photo(int width, int height, bool alpha = false) {
  QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgba(x * 2 + (x * y) % 7, y * 3, (x + y) % 251, alpha ? 128 : 255));
  return image;
}

}  // namespace paint
