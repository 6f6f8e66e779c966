#include "common/program.h"
#include "paint/window.h"

int main(int argc, char** argv) {
  const common::ProgramInfo info{"paint", "io.github.sketchly.Paint",
                                 "Sketchly: draw lines, shapes and freehand strokes.", "FILE"};
  return common::RunProgram<paint::Window>(
      argc, argv, info,
      [](paint::Window& window, const QString& file) { window.OpenAtStart(file); });
}
