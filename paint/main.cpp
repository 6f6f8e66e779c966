#include "common/program.h"
#include "paint/form1.h"

int main(int argc, char** argv) {
  const common::ProgramInfo info{"paint", "io.github.sketchly.Paint",
                                 "Sketchly: draw lines, shapes and freehand strokes.", "FILE"};
  return common::RunProgram<paint::Form1>(argc, argv, info);
}
