#include "calc/form1.h"
#include "common/program.h"

int main(int argc, char** argv) {
  const common::ProgramInfo info{"calc", "io.github.sketchly.Calc",
                                 "A pocket calculator with one pending operation."};
  return common::RunProgram<calc::Form1>(argc, argv, info);
}
