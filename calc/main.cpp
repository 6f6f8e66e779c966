#include "calc/form1.h"
#include "common/program.h"

int main(int argc, char** argv) {
  return common::RunProgram<calc::Form1>(argc, argv, "calc", "io.github.sketchly.Calc");
}
