#include <memory>

#include "calc/additions.h"
#include "calc/form1.h"
#include "common/program.h"

int main(int argc, char** argv) {
  const common::ProgramInfo info{
      "calc", "io.github.sketchly.Calc",
      QT_TRANSLATE_NOOP("common", "A pocket calculator with one pending operation.")};
  return common::RunProgram(argc, argv, info, [](const common::CommandLine&) {
    auto form = std::make_unique<calc::Form1>();
    calc::Attach(*form);
    form->Start();
    return form;
  });
}
