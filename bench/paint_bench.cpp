// Handler costs of the drawing program on a real offscreen window, at device
// pixel ratio 1 and 2 (the argument of every case).
#include <benchmark/benchmark.h>

#include <memory>

#include "common/application.h"
#include "paint/form1.h"
#include "paint/sketchly.h"
#include "paint/tools.h"

namespace {

constexpr int16_t kLeft = 1;
using paint::kBrush, paint::kClear, paint::kEraser, paint::kFilledCircle, paint::kFreehand,
    paint::kLine;

// A shown drawing window at the case's pixel ratio, with a tool selected.
std::unique_ptr<paint::Form1> Window(benchmark::State& state, int16_t tool) {
  auto form = std::make_unique<paint::Form1>();
  form->Start();
  form->GetPicture("Picture1").SetDeviceRatio(static_cast<double>(state.range(0)));
  form->Command1_Click(tool);
  QApplication::processEvents();
  return form;
}

// Inner size of the canvas in twips.
float Width(paint::Form1& form) {
  return form.GetPicture("Picture1").InnerWidth() * static_cast<float>(common::kTwipsPerPixel);
}
float Height(paint::Form1& form) {
  return form.GetPicture("Picture1").InnerHeight() * static_cast<float>(common::kTwipsPerPixel);
}

// Moves with a button held along a diagonal path through the canvas; every
// lap starts on a freshly filled canvas so that the points really change.
void DragAcross(benchmark::State& state, int16_t tool) {
  auto form = Window(state, tool);
  paint::Form1& window = *form;
  common::PictureBox& canvas = window.GetPicture("Picture1");
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
    sketchly.Undo();
    state.PauseTiming();
    sketchly.Redo();
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
    sketchly.History().Checkpoint();
  }
}
void GestureCapture(benchmark::State& state) {
  Capture(state, false);
}
void GestureCaptureWholeCanvas(benchmark::State& state) {
  Capture(state, true);
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

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  common::Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
