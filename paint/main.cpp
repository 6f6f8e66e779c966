#include "common/program.h"
#include "paint/form1.h"

int main(int argc, char** argv) {
  return common::RunProgram<paint::Form1>(argc, argv, "paint", "io.github.sketchly.Paint");
}
