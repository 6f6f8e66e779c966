#include <memory>

#include "common/program.h"
#include "paint/commands/sketchly.h"
#include "paint/document/recovery.h"
#include "paint/form1.h"

int main(int argc, char** argv) {
  const common::ProgramInfo info{
      "paint", "io.github.sketchly.Paint",
      QT_TRANSLATE_NOOP("common", "Sketchly: draw lines, shapes and freehand strokes."),
      QT_TRANSLATE_NOOP("common", "FILE")};
  return common::RunProgram(argc, argv, info, [](const common::CommandLine& line) {
    auto form = std::make_unique<paint::Form1>();
    paint::Sketchly& sketchly = paint::Attach(*form);
    paint::Recovery& recovery = paint::AttachRecovery(*form, sketchly.Doc());
    form->Start();
    const bool recovered = recovery.OfferLeftDrawing();
    // After a recovered drawing, the file given asks before it replaces it.
    if (!line.file.isEmpty()) sketchly.OpenAtStart(line.file, recovered);
    return form;
  });
}
