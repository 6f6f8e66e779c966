// Handler costs of the drawing program on a real offscreen window, at device
// pixel ratio 1 and 2 (the argument of every case).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exiv2/exiv2.hpp>
#include <memory>
#include <string_view>
#include <thread>

#include "common/application.h"
#include "common/dialogs.h"
#include "common/i18n.h"
#include "common/zoom.h"
#include "paint/commands/dialogs.h"
#include "paint/commands/picture_size.h"
#include "paint/commands/quality_dialog.h"
#include "paint/commands/sketchly.h"
#include "paint/document/recovery.h"
#include "paint/files/compression.h"
#include "paint/files/metadata.h"
#include "paint/files/write_image.h"
#include "paint/form1.h"
#include "paint/image/adjustments.h"
#include "paint/image/image_ops.h"
#include "paint/tool_buttons.h"
#include "paint/tools/fill_tool.h"
#include "paint/tools/highlighter_tool.h"
#include "paint/tools/mark_settings.h"
#include "paint/tools/redact_tool.h"
#include "paint/tools/shape_tool.h"
#include "paint/tools/text_tool.h"
#include "paint/tools/tool_box.h"

namespace {

constexpr int16_t kLeft = 1;
using paint::kBrush, paint::kClear, paint::kEraser, paint::kFilledCircle, paint::kFreehand,
    paint::kLine;

// A shown drawing window at a pixel ratio, with a tool selected.
std::unique_ptr<paint::Form1> Window(double ratio, int16_t tool) {
  auto form = std::make_unique<paint::Form1>();
  form->Start();
  form->GetPicture("Picture1").SetDeviceRatio(ratio);
  form->Command1_Click(tool);
  QApplication::processEvents();
  return form;
}
// At the case's pixel ratio.
std::unique_ptr<paint::Form1> Window(benchmark::State& state, int16_t tool) {
  return Window(static_cast<double>(state.range(0)), tool);
}

// Inner size of the canvas in twips.
float Width(paint::Form1& form) {
  return form.GetPicture("Picture1").InnerWidth() * static_cast<float>(common::kTwipsPerPixel);
}
float Height(paint::Form1& form) {
  return form.GetPicture("Picture1").InnerHeight() * static_cast<float>(common::kTwipsPerPixel);
}

// The shortest pause between two commands a person gives.
constexpr auto kPersonsPause = std::chrono::milliseconds(100);

// A photo-sized picture, 4000x3000, written once for the cases that open it.
const QString& BigFile() {
  static const QString path = [] {
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    const QString file = QDir::temp().filePath(QStringLiteral("paint_bench_4000x3000.png"));
    image.save(file);
    return file;
  }();
  return path;
}

// The resident memory of this process, in MiB.
double ResidentMiB() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// A drawing window as Window makes it, holding the big picture when asked.
std::unique_ptr<paint::Form1> Window(benchmark::State& state, int16_t tool, bool big) {
  auto form = Window(state, tool);
  if (big) {
    paint::Attach(*form).OpenAtStart(BigFile());
    form->GetPicture("Picture1").SetZoom(1.0);  // opened fitted; these cases work at 100 %
    QApplication::processEvents();
  }
  return form;
}

// Moves with a button held along a diagonal path through the canvas; every
// lap starts on a freshly filled canvas so that the points really change.
void DragAcross(benchmark::State& state, int16_t tool, bool big = false, double zoom = 1.0) {
  auto form = Window(state, tool, big);
  paint::Form1& window = *form;
  common::PictureBox& canvas = window.GetPicture("Picture1");
  canvas.SetZoom(zoom);
  window.Picture1_MouseDown(kLeft, 0, 0, 0);
  const int laps = 200;
  int step = 0;
  for (auto _ : state) {
    if (step == 0) {
      state.PauseTiming();
      canvas.LineFilledBox(0, 0, Width(window), Height(window), 0x00808080);
      state.ResumeTiming();
    }
    const float x = Width(window) * step / laps, y = Height(window) * step / laps;
    window.Run([&] { window.Picture1_MouseMove(kLeft, 0, x, y); });
    if (zoom != 1.0) canvas.repaint();  // zoomed, the view's own work is part of a move
    step = (step + 1) % laps;
  }
  benchmark::DoNotOptimize(canvas.Pixel(0, 0));
}

void EraserMove(benchmark::State& state) {
  DragAcross(state, kEraser);
}
void BrushMove(benchmark::State& state) {
  DragAcross(state, kBrush);
}
void FreehandMove(benchmark::State& state) {
  DragAcross(state, kFreehand);
}

void BigFreehandMove(benchmark::State& state) {
  DragAcross(state, kFreehand, true);
}
void BigEraserMove(benchmark::State& state) {
  DragAcross(state, kEraser, true);
}

// Freehand strokes along the canvas's diagonal, a new step every 200 moves,
// on a picture of the canvas's size, a photo's and the largest paint takes:
// what a move costs, its share of keeping the tiles it changes included,
// must not grow with the picture.
void StrokeOnPicture(benchmark::State& state) {
  auto form = Window(state, kFreehand);
  paint::Form1& window = *form;
  const float width = Width(window), height = Height(window);
  paint::Sketchly& sketchly = paint::Attach(window);
  if (const auto side = static_cast<int>(state.range(1))) {
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(0xFF808080);
    sketchly.Doc().Begin(picture, QString(), {});
  }
  window.GetPicture("Picture1").SetZoom(1.0);
  QApplication::processEvents();
  const int laps = 200;
  int step = 0;
  for (auto _ : state) {
    if (step == 0) {
      state.PauseTiming();
      window.Picture1_MouseUp(kLeft, 0, width, height);
      window.curColor ^= 0x00FFFFFF;  // every point changes
      window.Picture1_MouseDown(kLeft, 0, 0, 0);
      state.ResumeTiming();
    }
    const float x = width * step / laps, y = height * step / laps;
    window.Run([&] { window.Picture1_MouseMove(kLeft, 0, x, y); });
    step = (step + 1) % laps;
  }
}

// At 400 %, painted.
void ZoomedFreehandMove(benchmark::State& state) {
  DragAcross(state, kFreehand, true, 4.0);
}
void ZoomedEraserMove(benchmark::State& state) {
  DragAcross(state, kEraser, true, 4.0);
}

// Fit in Window from 100 % on the big picture, painted.
void ZoomToFit(benchmark::State& state) {
  auto form = Window(state, kFreehand, true);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  for (auto _ : state) {
    state.PauseTiming();
    canvas.SetZoom(1.0);
    canvas.repaint();
    state.ResumeTiming();
    canvas.SetZoom(canvas.FitZoom());
    canvas.repaint();
  }
}

// One zoom step in and one out, each painted, from the fitted view (second
// argument 0) or from a zoom in percent.
void ZoomStep(benchmark::State& state) {
  auto form = Window(state, kFreehand, true);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  const double from = state.range(1) ? static_cast<double>(state.range(1)) / 100 : canvas.FitZoom();
  canvas.SetZoom(from);
  canvas.repaint();
  for (auto _ : state) {
    canvas.SetZoom(common::NextZoom(from, true));
    canvas.repaint();
    canvas.SetZoom(from);
    canvas.repaint();
  }
}

// One arrow-key step down (or back up) at a zoom in percent, painted.
void ZoomedScroll(benchmark::State& state) {
  auto form = Window(state, kFreehand, true);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  canvas.SetZoom(static_cast<double>(state.range(1)) / 100);
  canvas.ScrollTo({200, 200});
  canvas.repaint();
  int direction = 1;
  for (auto _ : state) {
    canvas.ScrollTo(canvas.Origin() + QPoint(0, 20 * direction));
    canvas.repaint();
    direction = -direction;
  }
}

// What the view holds: the process's memory after opening the big picture,
// and (`zoomedMiB`) after painting it at every zoom level.
void ZoomThroughLevels(benchmark::State& state) {
  const double before = ResidentMiB();
  auto form = Window(state, kFreehand, true);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  canvas.repaint();
  const double opened = ResidentMiB() - before;
  for (auto _ : state) {
    for (const double zoom : common::kZoomLevels) {
      canvas.SetZoom(zoom);
      canvas.repaint();
    }
  }
  state.counters["MiB"] = opened;
  state.counters["zoomedMiB"] = ResidentMiB() - before;
}

// Opening the big picture (decoded aside, shown, a fresh history), and what
// the process holds afterwards.
void BigOpen(benchmark::State& state) {
  BigFile();
  const double before = ResidentMiB();
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  for (auto _ : state) {
    sketchly.OpenAtStart(BigFile());
    form->GetPicture("Picture1").repaint();
  }
  state.counters["MiB"] = ResidentMiB() - before;
}

// Scrolling the big picture down by one screen, painted at once.
void BigScroll(benchmark::State& state) {
  auto form = Window(state, kFreehand, true);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  QPoint origin;
  for (auto _ : state) {
    origin.ry() += canvas.ViewRect().height();
    if (origin.y() >= canvas.InnerHeight()) origin.ry() = 0;
    canvas.ScrollTo(origin);
    canvas.repaint();
  }
}

// Undo of a clear of the big picture; redo (untimed) clears it again. A
// person's pace between the two: undo copies the picture aside meanwhile.
void BigUndoClear(benchmark::State& state) {
  auto form = Window(state, kClear);
  paint::Sketchly& sketchly = paint::Attach(*form);
  sketchly.OpenAtStart(BigFile());
  form->GetButton("Command1", kClear).click();
  for (auto _ : state) {
    sketchly.Edit().Undo();
    state.PauseTiming();
    std::this_thread::sleep_for(kPersonsPause);
    sketchly.Edit().Redo();
    std::this_thread::sleep_for(kPersonsPause);
    state.ResumeTiming();
  }
}

// The first eraser move a moment after that undo, on the picture undo gave
// back. Untimed: the undo, the pause, and then the move taken back and the
// picture cleared again.
void BigMoveAfterUndo(benchmark::State& state) {
  auto form = Window(state, kClear);
  paint::Sketchly& sketchly = paint::Attach(*form);
  sketchly.OpenAtStart(BigFile());
  form->Command1_Click(kEraser);
  for (auto _ : state) {
    state.PauseTiming();
    sketchly.Edit().Undo();
    form->GetButton("Command1", kClear).click();
    form->Command1_Click(kEraser);
    form->Picture1_MouseDown(kLeft, 0, 0, 0);
    sketchly.Edit().Undo();
    std::this_thread::sleep_for(kPersonsPause);
    state.ResumeTiming();
    form->Run([&] { form->Picture1_MouseMove(kLeft, 0, 1500, 1500); });
  }
}

QImage PhotoLike(int width, int height, int seed);

// The longest stretch the window's thread went without running its timers,
// in seconds, from its making until Longest is asked.
class BusyWatch {
 public:
  BusyWatch() {
    QObject::connect(&tick_, &QTimer::timeout, [this] { Lap(); });
    tick_.start(1);
  }
  double Longest() {
    Lap();
    return longest_;
  }

 private:
  void Lap() {
    const auto now = std::chrono::steady_clock::now();
    longest_ = std::max(longest_, std::chrono::duration<double>(now - last_).count());
    last_ = now;
  }
  QTimer tick_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
  double longest_ = 0;
};

// The dialogs' answers: the file to save to, quality 90, half the size.
struct Answers : paint::Dialogs {
  QString file;
  std::optional<std::string> ChooseFile(const common::FileDialogRequest&) override {
    return file.toStdString();
  }
  std::optional<int> Quality(QWidget*, const QImage&, const QByteArray&,
                             const paint::Compression&) override {
    return 90;
  }
  std::optional<QSize> Scale(QWidget*, const QSize& size) override { return size / 2; }
};

// Save As of a 4000x3000 photo-like picture, as PNG (argument 0) or JPEG at
// quality 90 (1), as the window does it: the whole save, and the longest
// stretch the window's thread was busy meanwhile.
void SaveAside(benchmark::State& state) {
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  form->GetPicture("Picture1").SetPicture(PhotoLike(4000, 3000, 0));
  const bool jpeg = state.range(0) == 1;
  const QString path = QDir::temp().filePath(jpeg ? QStringLiteral("paint_bench_saved.jpg")
                                                  : QStringLiteral("paint_bench_saved.png"));
  auto answers = std::make_shared<Answers>();
  answers->file = path;
  common::SetDialogs(*form, answers);
  double longest = 0;
  for (auto _ : state) {
    BusyWatch watch;
    sketchly.File().SaveAs();
    longest = std::max(longest, watch.Longest());
  }
  state.counters["longestBusyMs"] = longest * 1000;
  state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
  QFile::remove(path);
}

// A photo-like picture, as a clear's undo step keeps: smooth shades with a
// camera's noise of a few levels in every channel.
QImage PhotoLike(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  uint32_t noise = 12345U + static_cast<uint32_t>(seed);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525U + 1013904223U;
      const auto grain = [&](int shift) { return static_cast<int>((noise >> shift) & 7); };
      line[x] = qRgb((x / 16 + seed + grain(8)) & 255, (y / 12 + grain(16)) & 255,
                     ((x + y) / 32 + grain(24)) & 255);
    }
  }
  return image;
}

// PhotoLike(4000, 3000, 0) as a PNG, written once for the cases that open it.
const QString& PhotoPng() {
  static const QString path = [] {
    const QString file = QDir::temp().filePath(QStringLiteral("paint_bench_photo.png"));
    if (!QFileInfo::exists(file)) PhotoLike(4000, 3000, 0).save(file);
    return file;
  }();
  return path;
}

// Twenty whole-picture steps in a row on a picture of the argument's width
// (4000x3000 or 8000x6000), each replacing a photo-like picture: the time
// the twenty steps cost the window, the time each one packs aside, the
// memory the history holds once packing is done, what it keeps packed, and
// undo of the newest step (at hand) and of an older one (unpacked here; the
// window does that aside).
void WholeSteps(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = width * 3 / 4;
  const QImage photos[] = {PhotoLike(width, height, 0), PhotoLike(width, height, 99)};
  double residentGrowth = 0, held = 0, packed = 0, settle = 0, undoNewest = 0, undoPacked = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<paint::Form1>();
    form->Start();
    common::PictureBox& canvas = form->GetPicture("Picture1");
    canvas.SetPicture(photos[1]);
    paint::UndoHistory history(canvas);
    QApplication::processEvents();
    const double before = ResidentMiB();
    state.ResumeTiming();
    settle = 0;
    for (int step = 0; step < 20; ++step) {
      state.PauseTiming();
      canvas.PutRegion(QPoint(), photos[step % 2]);
      state.ResumeTiming();
      history.Checkpoint();
      // At a person's pace: each step packed before the next (untimed).
      state.PauseTiming();
      const auto started = std::chrono::steady_clock::now();
      history.Settle();
      settle += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
      state.ResumeTiming();
    }
    state.PauseTiming();
    auto started = std::chrono::steady_clock::now();
    residentGrowth = ResidentMiB() - before;
    held = static_cast<double>(history.Bytes()) / (1 << 20);
    packed = static_cast<double>(history.PackedBytes()) / (1 << 20);
    started = std::chrono::steady_clock::now();
    history.Undo();
    undoNewest = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    started = std::chrono::steady_clock::now();
    history.Undo();
    undoPacked = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    state.ResumeTiming();
  }
  state.counters["MiB"] = residentGrowth;
  state.counters["historyMiB"] = held;
  state.counters["packedMiB"] = packed;
  state.counters["packStepMs"] = settle / 19 * 1000;  // the first step packs with the second
  state.counters["undoNewestMs"] = undoNewest * 1000;
  state.counters["undoPackedMs"] = undoPacked * 1000;
}

// A recovery copy of the 4000x3000 picture after a stroke: the wall time
// until it is written aside, and (counter) the longest stretch the window's
// thread was busy meanwhile.
void RecoveryCopy(benchmark::State& state) {
  auto form = Window(state, kBrush);
  paint::Form1& window = *form;
  paint::Sketchly& sketchly = paint::Attach(window);
  sketchly.OpenAtStart(BigFile());
  qputenv("XDG_STATE_HOME", QDir::temp().filePath(QStringLiteral("paint_bench_state")).toUtf8());
  paint::Recovery& recovery = paint::AttachRecovery(window, sketchly.Doc());
  double longest = 0;
  int stroke = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const float x = 1500.0F * static_cast<float>(stroke % 100);
    window.Run([&] {
      window.Picture1_MouseDown(kLeft, 0, x, 1500);
      window.Picture1_MouseMove(kLeft, 0, x + 300, 3000);
      window.Picture1_MouseUp(kLeft, 0, x + 300, 3000);
    });
    ++stroke;
    QApplication::processEvents();  // the stroke's own repaint is not the copy's
    BusyWatch watch;
    state.ResumeTiming();
    recovery.WriteNow();
    longest = std::max(longest, watch.Longest());
  }
  state.counters["longestBusyMs"] = longest * 1000;
  state.counters["written"] = QFile::exists(recovery.CopyPath()) ? 1 : 0;
  QFile::remove(recovery.CopyPath());
  qunsetenv("XDG_STATE_HOME");
}

void LineAcross(benchmark::State& state) {
  auto form = Window(state, kLine);
  paint::Form1& window = *form;
  for (auto _ : state) {
    window.Run([&] {
      window.Picture1_MouseDown(kLeft, 0, 0, 0);
      window.Picture1_MouseDown(kLeft, 0, Width(window), Height(window));
    });
  }
}

void Cls(benchmark::State& state) {
  auto form = Window(state, kClear);
  paint::Form1& window = *form;
  for (auto _ : state) window.Run([&] { window.Command1_Click(kClear); });
}

// Two clicks of the filled-circle tool, centre at one corner and the second
// click at the opposite one, and the pixels read back so that nothing of the
// drawing is left for later. Colours alternate so every fill writes.
void FilledCircleWorst(benchmark::State& state) {
  auto form = Window(state, kFilledCircle);
  paint::Form1& window = *form;
  common::PictureBox& canvas = window.GetPicture("Picture1");
  int16_t swatch = 0;
  for (auto _ : state) {
    window.Picture2_Click(swatch = static_cast<int16_t>(19 - swatch));
    window.Run([&] {
      window.Picture1_MouseDown(kLeft, 0, 0, 0);
      window.Picture1_MouseDown(kLeft, 0, Width(window), Height(window));
    });
    benchmark::DoNotOptimize(canvas.Pixel(0, 0));
  }
  state.counters["radius"] = window.radius;
}

// One solid fill of the disk that the worst filled circle ends with.
void DiskFill(benchmark::State& state) {
  auto form = Window(state, kFilledCircle);
  paint::Form1& window = *form;
  common::PictureBox& canvas = window.GetPicture("Picture1");
  window.Picture1_MouseDown(kLeft, 0, 0, 0);
  window.Picture1_MouseDown(kLeft, 0, Width(window), Height(window));
  const float radius = window.radius;
  canvas.SetFillStyle(0);
  common::Colour colour = 0;
  for (auto _ : state) {
    colour ^= 0x00FFFFFF;
    canvas.SetFillColor(colour);
    canvas.Circle(0, 0, radius, colour);
    benchmark::DoNotOptimize(canvas.Pixel(0, 0));
  }
}

// Undo of a clear that wiped a drawing covering the whole canvas: every
// pixel goes back. Redo (not timed) clears it again for the next lap.
void UndoFullCanvas(benchmark::State& state) {
  auto form = Window(state, kClear);
  paint::Form1& window = *form;
  paint::Sketchly& sketchly = paint::Attach(window);
  window.GetPicture("Picture1").LineFilledBox(0, 0, Width(window), Height(window), 0x00808080);
  window.GetButton("Command1", kClear).click();
  for (auto _ : state) {
    sketchly.Edit().Undo();
    state.PauseTiming();
    sketchly.Edit().Redo();
    state.ResumeTiming();
  }
  benchmark::DoNotOptimize(window.GetPicture("Picture1").Pixel(0, 0));
}

// What a press on the canvas adds to its handler: the end of the step before
// it, one move of the thick brush or (WholeCanvas) a filled box over the whole
// canvas, drawn untimed.
void Capture(benchmark::State& state, bool wholeCanvas) {
  auto form = Window(state, kBrush);
  paint::Form1& window = *form;
  paint::Sketchly& sketchly = paint::Attach(window);
  common::PictureBox& canvas = window.GetPicture("Picture1");
  window.Picture1_MouseDown(kLeft, 0, 0, 0);
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.curColor = step % 2 ? 0x00FF0000 : 0x000000FF;
    if (wholeCanvas) {
      canvas.LineFilledBox(0, 0, Width(window), Height(window), window.curColor);
    } else {
      window.Picture1_MouseMove(kLeft, 0, Width(window) * step / 200, Height(window) * step / 200);
    }
    step = (step + 1) % 200;
    state.ResumeTiming();
    sketchly.Doc().History().Checkpoint();
  }
}
void GestureCapture(benchmark::State& state) {
  Capture(state, false);
}
void GestureCaptureWholeCanvas(benchmark::State& state) {
  Capture(state, true);
}

// What the user's language adds to a program's start: reading Qt's
// catalogue and ours for German (the argument is unused).
void LoadCatalogues(benchmark::State& state) {
  for (auto _ : state) {
    common::UseLanguage(QLocale(QStringLiteral("de_DE")));
    state.PauseTiming();
    common::UseLanguage(QLocale::c());
    state.ResumeTiming();
  }
}

// A shaping command on a 4000x3000 picture through its menu, as a person
// gives it, painted; the first argument is the pixel ratio, the second the
// command: crop to a 3000x2000 selection, scale to 50 %, a quarter turn, a
// flip, a fill of the whole (one-colour) picture, a fill of a 100x100 square.
enum Shaping { kCrop, kScale, kTurn, kFlip, kFillWhole, kFillSquare };
void Shape(benchmark::State& state) {
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  const auto shaping = static_cast<Shaping>(state.range(1));
  QImage picture = PhotoLike(4000, 3000, 0);
  if (shaping == kFillWhole || shaping == kFillSquare) {
    picture.fill(Qt::white);
    if (shaping == kFillSquare) QPainter(&picture).fillRect(1950, 1450, 100, 100, Qt::black);
    sketchly.ToolMenu().Choose<paint::FillTool>();
    form->curColor = common::ColourFromRgb(255, 0, 0);  // unlike every pixel
  }
  common::SetDialogs(*form, std::make_shared<Answers>());
  const float middle = 2000.0F * static_cast<float>(common::kTwipsPerPixel);
  for (auto _ : state) {
    state.PauseTiming();
    // A copy of its own, as an opened file's: undo's copy of the picture is
    // then the only one, and a small change to it copies nothing.
    canvas.SetPicture(picture.copy());
    canvas.SetZoom(1.0);
    canvas.ScrollTo({1800, 1300});
    sketchly.Doc().History().Reset();
    if (shaping == kCrop) sketchly.Doc().GetSelection().Select({500, 500, 3000, 2000});
    QApplication::processEvents();
    // A person's pause: the copy a new picture gets for drawing is made aside
    // meanwhile, as after opening a file.
    std::this_thread::sleep_for(3 * kPersonsPause);
    state.ResumeTiming();
    switch (shaping) {
      case kCrop:
        sketchly.Image().CropToSelection();
        break;
      case kScale:
        sketchly.Image().Scale();
        break;
      case kTurn:
        sketchly.Image().RotateClockwise();
        break;
      case kFlip:
        sketchly.Image().FlipHorizontally();
        break;
      case kFillWhole:
      case kFillSquare:
        form->Run([&] {
          canvas.mouseDown(kLeft, 0, middle, middle * 0.75F);
          canvas.mouseUp(kLeft, 0, middle, middle * 0.75F);
        });
        break;
    }
    canvas.repaint();
  }
}

// A drag of the whole picture selected, 10 pixels a step, painted: what a
// step of the pointer costs once the pixels are lifted.
void SelectionDrag(benchmark::State& state) {
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  canvas.SetPicture(PhotoLike(4000, 3000, 0));
  sketchly.Doc().History().Reset();
  sketchly.Edit().SelectAll();
  const auto twips = [](int pixels) { return static_cast<float>(pixels * common::kTwipsPerPixel); };
  form->Run([&] { canvas.mouseDown(kLeft, 0, twips(100), twips(100)); });
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 100;
    form->Run([&] { canvas.mouseMove(kLeft, 0, twips(100 + 10 * step), twips(100 + 5 * step)); });
    canvas.repaint();
  }
  form->Run([&] { canvas.mouseUp(kLeft, 0, twips(100), twips(100)); });
}

void Ratios(benchmark::internal::Benchmark* b) {
  b->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(EraserMove)->Apply(Ratios);
BENCHMARK(BrushMove)->Apply(Ratios);
BENCHMARK(FreehandMove)->Apply(Ratios);
BENCHMARK(LineAcross)->Apply(Ratios);
BENCHMARK(Cls)->Apply(Ratios);
BENCHMARK(FilledCircleWorst)->Apply(Ratios);
BENCHMARK(DiskFill)->Apply(Ratios);
BENCHMARK(UndoFullCanvas)->Apply(Ratios);
BENCHMARK(GestureCapture)->Apply(Ratios);
BENCHMARK(GestureCaptureWholeCanvas)->Apply(Ratios);
BENCHMARK(BigOpen)->Apply(Ratios)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomToFit)->Apply(Ratios)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomStep)->ArgsProduct({{1, 2}, {0, 800}})->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomedScroll)->ArgsProduct({{1, 2}, {25, 100, 800}})->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomedFreehandMove)->Apply(Ratios);
BENCHMARK(StrokeOnPicture)->ArgsProduct({{1}, {0, 4000, 16384}})->Unit(benchmark::kMicrosecond);
BENCHMARK(ZoomedEraserMove)->Apply(Ratios);
BENCHMARK(ZoomThroughLevels)->Apply(Ratios)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BigScroll)->Apply(Ratios);
BENCHMARK(BigFreehandMove)->Apply(Ratios);
BENCHMARK(BigEraserMove)->Apply(Ratios);
BENCHMARK(BigUndoClear)->Apply(Ratios)->Iterations(20);
BENCHMARK(BigMoveAfterUndo)->Apply(Ratios)->Iterations(20);
BENCHMARK(SaveAside)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WholeSteps)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(RecoveryCopy)->Apply(Ratios)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(LoadCatalogues)->Unit(benchmark::kMicrosecond);
BENCHMARK(Shape)
    ->ArgsProduct({{1, 2}, {kCrop, kScale, kTurn, kFlip, kFillWhole, kFillSquare}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(SelectionDrag)->Apply(Ratios);

// The marking tools on the 4000x3000 picture, through the Tools menu and the
// canvas's own events. At a picture pixel, in the canvas's twips.
float Twips(int pixels) {
  return static_cast<float>(pixels * common::kTwipsPerPixel);
}
struct Marking {
  std::unique_ptr<paint::Form1> form;
  paint::Sketchly* sketchly;
  common::PictureBox* canvas;
};
// The second argument of the case is the zoom in percent, 0 to fit.
Marking MarkingWindow(benchmark::State& state, double zoom) {
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  sketchly.OpenAtStart(BigFile());
  common::PictureBox& canvas = form->GetPicture("Picture1");
  canvas.SetZoom(zoom > 0 ? zoom : canvas.FitZoom());
  canvas.ScrollTo({1800, 1300});
  paint::MarkSettings& settings = sketchly.Tools().Settings();
  settings.width = 40;
  settings.dashed = settings.filled = settings.blocks = false;
  settings.smooth = true;
  QApplication::processEvents();
  return {std::move(form), &sketchly, &canvas};
}
void Press(Marking& m, QPoint at) {
  m.form->Run([&] { m.canvas->mouseDown(kLeft, 0, Twips(at.x()), Twips(at.y())); });
}
void MoveTo(Marking& m, QPoint at) {
  m.form->Run([&] { m.canvas->mouseMove(kLeft, 0, Twips(at.x()), Twips(at.y())); });
}
void Release(Marking& m, QPoint at) {
  m.form->Run([&] { m.canvas->mouseUp(kLeft, 0, Twips(at.x()), Twips(at.y())); });
}

// A character typed into a text, painted; every 30 the text is set down and
// taken back (untimed) and a new one begun.
void TextTyped(benchmark::State& state) {
  Marking m = MarkingWindow(state, static_cast<double>(state.range(1)) / 100);
  m.sketchly->ToolMenu().Choose<paint::TextTool>();
  const QPoint at = m.canvas->ViewRect().center();
  Press(m, at);
  Release(m, at);
  int typed = 0;
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(m.canvas, &key);
    m.canvas->repaint();
    if (++typed % 30 == 0) {
      state.PauseTiming();
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(m.canvas, &escape);
      m.sketchly->Edit().Undo();
      Press(m, at);
      Release(m, at);
      state.ResumeTiming();
    }
  }
}

// A step of a rectangle's preview across the fitted picture, painted.
void ShapePreview(benchmark::State& state) {
  Marking m = MarkingWindow(state, 0);
  m.sketchly->ToolMenu().Choose<paint::RectangleTool>();
  Press(m, {100, 100});
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 100;
    MoveTo(m, {200 + 37 * step, 150 + 28 * step});
    m.canvas->repaint();
  }
  Release(m, {100, 100});
}

// A move of the highlighter, 40 pixels wide, at 100 %, like BrushMove: the
// handler's work.
void HighlighterMove(benchmark::State& state) {
  Marking m = MarkingWindow(state, 1.0);
  m.sketchly->ToolMenu().Choose<paint::HighlighterTool>();
  Press(m, {1800, 1300});
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 400;
    MoveTo(m, {1800 + step, 1300 + step / 2});
  }
  Release(m, {1800, 1300});
}

// A move of a 40-pixel line's preview at 100 %, painted.
void WideLineMove(benchmark::State& state) {
  Marking m = MarkingWindow(state, 1.0);
  m.sketchly->ToolMenu().Choose<paint::LineTool>();
  Press(m, {1850, 1350});
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 200;
    MoveTo(m, {1900 + step, 1400 + step / 2});
    m.canvas->repaint();
  }
  Release(m, {1850, 1350});
}

// A redaction of a 1000x1000 area, solid (second argument 0) or in blocks
// (1), as one step; taken back untimed.
void RedactArea(benchmark::State& state) {
  Marking m = MarkingWindow(state, 1.0);
  m.sketchly->Tools().Settings().blocks = state.range(1) == 1;
  m.sketchly->ToolMenu().Choose<paint::RedactTool>();
  for (auto _ : state) {
    Press(m, {1000, 1000});
    MoveTo(m, {1999, 1999});
    Release(m, {1999, 1999});
    m.canvas->repaint();
    state.PauseTiming();
    m.sketchly->Edit().Undo();
    state.ResumeTiming();
  }
}

BENCHMARK(TextTyped)->ArgsProduct({{1, 2}, {100, 0}});
BENCHMARK(ShapePreview)->Apply(Ratios);
BENCHMARK(HighlighterMove)->Apply(Ratios);
BENCHMARK(WideLineMove)->Apply(Ratios);
BENCHMARK(RedactArea)->ArgsProduct({{1, 2}, {0, 1}})->Unit(benchmark::kMillisecond);
// Image > Adjust on the 4000x3000 photo, at 100 % or fitted in the window
// (the third argument: 0). A preview step is what a move of a dialog's
// slider costs the window: the choice made anew over the part in view, and
// painted; the sample it works from is made once as the dialog opens
// (counter, in ms). The whole adjustment is the step that OK makes, its
// work aside included.
enum Adjusting { kBrighter, kLessSaturated, kInverted, kTurned };
paint::Adjustment Choice(int64_t kind) {
  using enum paint::Adjust;
  const paint::Adjustment choices[] = {
      {kBrightnessContrast, 30, 20}, {kSaturation, -40}, {kInvert}, {kRotate, 0, 0, 5}};
  return choices[kind];
}

void AdjustPreviewStep(benchmark::State& state) {
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  canvas.SetPicture(PhotoLike(4000, 3000, 0));
  sketchly.Doc().History().Reset();
  canvas.SetZoom(state.range(2) == 0 ? canvas.FitZoom() : state.range(2) / 100.0);
  QApplication::processEvents();
  const auto started = std::chrono::steady_clock::now();
  sketchly.Adjust().BeginPreview();
  const double begin =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  paint::Adjustment adjustment = Choice(state.range(1));
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 50;
    adjustment.amount = Choice(state.range(1)).amount + step;  // a slider moving
    adjustment.degrees = Choice(state.range(1)).degrees + step * 0.1;
    sketchly.Adjust().Preview(adjustment);
    canvas.repaint();
  }
  sketchly.Adjust().EndPreview();
  state.counters["beginMs"] = begin;
}

void AdjustWhole(benchmark::State& state) {
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  common::PictureBox& canvas = form->GetPicture("Picture1");
  const QImage picture = PhotoLike(4000, 3000, 0);
  for (auto _ : state) {
    state.PauseTiming();
    canvas.SetPicture(picture.copy());  // as an opened file's, see Shape
    canvas.SetZoom(1.0);
    sketchly.Doc().History().Reset();
    QApplication::processEvents();
    std::this_thread::sleep_for(3 * kPersonsPause);
    state.ResumeTiming();
    sketchly.Adjust().Apply(Choice(state.range(1)));
    canvas.repaint();
  }
}

BENCHMARK(AdjustPreviewStep)
    ->ArgsProduct({{1}, {kBrighter, kTurned}, {0, 100}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(AdjustWhole)
    ->ArgsProduct({{1}, {kBrighter, kLessSaturated, kInverted, kTurned}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
// The phone's and the web's formats: a photo-like 4000x3000 picture as HEIC
// (argument 0) and AVIF (1), written once at quality 90 through libheif.
const QString& PhotoFile(int kind) {
  static QString paths[2];
  QString& path = paths[kind];
  if (path.isEmpty()) {
    path = QDir::temp().filePath(kind == 0 ? QStringLiteral("paint_bench_photo.heic")
                                           : QStringLiteral("paint_bench_photo.avif"));
    paint::Compression quality;
    quality.quality = 90;
    paint::WriteImage(path, PhotoLike(4000, 3000, 0), quality);
  }
  return path;
}

// Opening it as the window does (decoded aside, shown, a fresh history).
void PhotoOpen(benchmark::State& state) {
  const QString& path = PhotoFile(static_cast<int>(state.range(0)));
  auto form = Window(state, kFreehand);
  paint::Sketchly& sketchly = paint::Attach(*form);
  for (auto _ : state) {
    sketchly.OpenAtStart(path);
    form->GetPicture("Picture1").repaint();
  }
}

// Writing it at quality 90, aside as Save As does.
void PhotoWrite(benchmark::State& state) {
  const bool avif = state.range(0) == 1;
  const QImage picture = PhotoLike(4000, 3000, 0);
  const QString path = QDir::temp().filePath(avif ? QStringLiteral("paint_bench_saved.avif")
                                                  : QStringLiteral("paint_bench_saved.heic"));
  paint::Compression quality;
  quality.quality = 90;
  for (auto _ : state) paint::WriteImage(path, picture, quality);
  state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
  QFile::remove(path);
}

// libheif's own tools on the same pictures, in the same sitting: decoding
// to raw frames (heif-convert to .y4m, 0 HEIC and 1 AVIF) and encoding at
// quality 90 from the picture as PNG (heif-enc, 2 HEIC and 3 AVIF; 4 HEIC at
// x265's preset medium, as paint writes it).
void HeifTools(benchmark::State& state) {
  const int tool = static_cast<int>(state.range(0));
  const QString png = tool >= 2 ? PhotoPng() : QString();
  const QString out = QDir::temp().filePath(tool < 2    ? QStringLiteral("paint_bench_tool.y4m")
                                            : tool == 3 ? QStringLiteral("paint_bench_tool.avif")
                                                        : QStringLiteral("paint_bench_tool.heic"));
  const QString command =
      tool < 2 ? QStringLiteral("heif-convert --quiet %1 %2").arg(PhotoFile(tool), out)
               : QStringLiteral("heif-enc -q 90 %1 %2 -o %3")
                     .arg(tool == 4 ? QStringLiteral("-p preset=medium") : QString(), png, out);
  for (auto _ : state)
    if (std::system((command + QStringLiteral(" >/dev/null")).toLocal8Bit().constData()) != 0) {
      state.SkipWithError("libheif's tools (libheif-examples) are not installed");
      break;
    }
  QFile::remove(out);
}

// What keeping a camera's details costs a save: a 4000x3000 JPEG at quality
// 90 written bare (0) and with the EXIF, XMP and profile of a phone photo (1).
void DetailsKept(benchmark::State& state) {
  const QImage picture = PhotoLike(4000, 3000, 0);
  const QString path = QDir::temp().filePath(QStringLiteral("paint_bench_details.jpg"));
  paint::Compression quality;
  quality.quality = 90;
  paint::PhotoDetails details;
  if (state.range(0) == 1) {
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Phone";
    exif["Exif.Image.Model"] = "Phone 12";
    exif["Exif.Photo.DateTimeOriginal"] = "2024:05:01 10:20:30";
    exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 120);
    exif["Exif.Photo.FNumber"] = Exiv2::URational(18, 10);
    exif["Exif.GPSInfo.GPSLatitude"] = "48/1 51/1 24/1";
    exif["Exif.GPSInfo.GPSLongitude"] = "2/1 21/1 3/1";
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    const QByteArray xmp(
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
        "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
        "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmp:CreatorTool=\"Phone\"/></rdf:RDF>"
        "</x:xmpmeta>");
    details = paint::DetailsOf(
        QByteArray(reinterpret_cast<const char*>(blob.data()), static_cast<qsizetype>(blob.size())),
        xmp, QColorSpace(QColorSpace::DisplayP3).iccProfile());
  }
  for (auto _ : state) paint::WriteImage(path, picture, quality, nullptr, details);
  QFile::remove(path);
}

BENCHMARK(PhotoOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(PhotoWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(HeifTools)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(DetailsKept)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// Memory, each case in a fresh process (this program again, given the
// case's name) so that no case starts on what an earlier one left in the
// heap: resident memory above the empty window at rest (`MiB`, and `ratio`
// of the picture's pixel bytes) and at its peak during the case's commands
// (`peakMiB`, `peakRatio`).
struct MemoryCase {
  const char* name;
  int width;  // of the picture, 4:3
};
constexpr MemoryCase kMemoryCases[] = {{"MemoryOpen", 4000},
                                       {"MemoryStroke", 4000},
                                       {"MemoryDelete", 4000},
                                       {"MemoryWholeSteps", 8000},
                                       {"MemoryZoom", 4000}};

// A field of /proc/self/status ("VmRSS:", or "VmHWM:" for its peak), in MiB.
double StatusMiB(const char* field) {
  double kib = 0;
  if (FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::strncmp(line, field, std::strlen(field)) == 0)
        kib = std::atof(line + std::strlen(field));
    std::fclose(status);
  }
  return kib / 1024;
}
// The peak starts again from the memory held now.
void ResetPeak() {
  if (FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", refs);
    std::fclose(refs);
  }
}

// The event loop spun for a while, as between a person's commands.
void Spin(std::chrono::milliseconds time) {
  const auto until = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < until) {
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}
// The work aside done, packing included, and with `recovery` the recovery
// copy written, as after a person's longer pause.
void Rest(paint::Sketchly& sketchly, paint::Recovery* recovery = nullptr) {
  sketchly.Doc().History().Settle();
  if (recovery) recovery->WriteNow();
  Spin(3 * kPersonsPause);
  sketchly.Doc().History().Settle();
}

// The case, in the fresh process: prints a counter a line.
int RunMemoryCase(const MemoryCase& memoryCase, const QString& png) {
  const std::string_view name = memoryCase.name;
  const int width = memoryCase.width;
  auto form = Window(1.0, kBrush);
  paint::Sketchly& sketchly = paint::Attach(*form);
  paint::Recovery& recovery = paint::AttachRecovery(*form, sketchly.Doc());
  common::PictureBox& canvas = form->GetPicture("Picture1");
  canvas.repaint();
  Rest(sketchly);
  const double empty = StatusMiB("VmRSS:");
  const auto painted = [&] {
    canvas.repaint();
    Spin(kPersonsPause);
  };
  const auto print = [](const char* counter, double value) {
    std::printf("%s %.4f\n", counter, value);
  };
  if (name == "MemoryWholeSteps") {
    // What opening ends with, without writing and reading a 180 MiB PNG.
    sketchly.Doc().Begin(PhotoLike(width, width * 3 / 4, 0), QString(), paint::ImageSource());
  } else if (name != "MemoryOpen") {
    sketchly.OpenAtStart(png);
  }
  if (name == "MemoryZoom") canvas.SetZoom(1.0);
  painted();
  Rest(sketchly);
  ResetPeak();
  if (name == "MemoryOpen") {
    sketchly.OpenAtStart(png);
    painted();
  } else if (name == "MemoryStroke") {
    form->Run([&] { canvas.mouseDown(kLeft, 0, 0, 0); });
    for (int step = 1; step <= 100; ++step)
      form->Run([&] { canvas.mouseMove(kLeft, 0, Twips(40 * step), Twips(30 * step)); });
    form->Run([&] { canvas.mouseUp(kLeft, 0, Twips(4000), Twips(3000)); });
    painted();
    sketchly.Edit().Undo();
    painted();
  } else if (name == "MemoryDelete") {
    sketchly.Edit().SelectAll();
    painted();
    sketchly.Edit().Delete();
    painted();
    sketchly.Edit().Undo();
    painted();
  } else if (name == "MemoryWholeSteps") {
    for (int step = 0; step < 20; ++step) {
      sketchly.Image().RotateClockwise();
      painted();
      Rest(sketchly);  // each packed before the next, as in WholeSteps
    }
    print("historyMiB", static_cast<double>(sketchly.Doc().History().Bytes()) / (1 << 20));
    print("packedMiB", static_cast<double>(sketchly.Doc().History().PackedBytes()) / (1 << 20));
  } else if (name == "MemoryZoom") {
    // Above the view at 100 %: zoomed in to 800 %, then out to 12.5 %.
    const double actual = StatusMiB("VmRSS:");
    for (const double zoom : {8.0, 1.0, 0.125}) {
      canvas.SetZoom(zoom);
      painted();
      Rest(sketchly);
      if (zoom != 1.0) print(zoom > 1 ? "inMiB" : "outMiB", StatusMiB("VmRSS:") - actual);
    }
    print("viewMiB", canvas.width() * canvas.height() * 4.0 / (1 << 20));
  }
  Rest(sketchly, &recovery);
  const double pixels = width * (width * 3.0 / 4) * 4 / (1 << 20);
  const double rest = StatusMiB("VmRSS:") - empty, peak = StatusMiB("VmHWM:") - empty;
  print("MiB", rest);
  print("ratio", rest / pixels);
  print("peakMiB", peak);
  print("peakRatio", peak / pixels);
  return 0;
}

// The case run in a fresh process, with state and cache folders of its own.
void Memory(benchmark::State& state, const MemoryCase& memoryCase) {
  QTemporaryDir folders;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_STATE_HOME"), folders.filePath(QStringLiteral("state")));
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), folders.filePath(QStringLiteral("cache")));
  QProcess child;
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  for (auto _ : state) {
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-case"), QString::fromUtf8(memoryCase.name), PhotoPng()});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
      state.SkipWithError("the case's process failed");
      return;
    }
  }
  for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
    if (const QList<QByteArray> words = line.split(' '); words.size() == 2)
      state.counters[words[0].toStdString()] = words[1].toDouble();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The files the cases open enter no one's recent files.
  qputenv("XDG_CONFIG_HOME", QDir::temp().filePath(QStringLiteral("paint_bench_config")).toUtf8());
  qputenv("XDG_DATA_HOME", QDir::temp().filePath(QStringLiteral("paint_bench_data")).toUtf8());
  common::Application app(argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "--memory-case") == 0)
    for (const MemoryCase& memoryCase : kMemoryCases)
      if (std::strcmp(argv[2], memoryCase.name) == 0)
        return RunMemoryCase(memoryCase, QString::fromLocal8Bit(argv[3]));
  for (const MemoryCase& memoryCase : kMemoryCases)
    benchmark::RegisterBenchmark(
        memoryCase.name, [&memoryCase](benchmark::State& state) { Memory(state, memoryCase); })
        ->Arg(memoryCase.width)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
