#include "common/program.h"
#include "paint/window.h"

int main(int argc, char** argv) {
  return common::RunProgram<paint::Window>(argc, argv, "paint", "io.github.sketchly.Paint");
}
