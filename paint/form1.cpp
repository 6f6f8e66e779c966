#include "paint/form1.h"

#include <cmath>

#include "common/numbers.h"
#include "paint/form1_layout.h"

namespace paint {
namespace {

using common::AddInteger;

// The Y readout counts up from the canvas's layout height, whatever its
// actual size.
constexpr float kReadoutBase = 3495;
constexpr common::Colour kEraserColour = 0xFFFFFF;
constexpr int16_t kEraserSide = 100;
constexpr int16_t kBrushSide = 20;

// Y counts up from the picture's bottom edge; a picture of the canvas's own
// height counts from the layout height, as the window always has.
float ReadoutBase(const common::PictureBox& canvas) {
  const int height = canvas.InnerHeight();
  return height == canvas.contentsRect().height()
             ? kReadoutBase
             : static_cast<float>(height * common::kTwipsPerPixel);
}

}  // namespace

Form1::Form1()
    : common::Form(Form1Layout()),
      Picture1(GetPicture("Picture1")),
      Picture3(GetPicture("Picture3")),
      lbldes(GetLabel("lbldes")),
      lblx(GetLabel("lblx")),
      lbly(GetLabel("lbly")),
      cdl(GetDialog("cdl")) {
  OnIndexedClick("Command1", [this](int16_t index) { Command1_Click(index); });
  OnIndexedClick("Picture2", [this](int16_t index) { Picture2_Click(index); });
  OnClick("cmdeditcolor", [this] { cmdeditcolor_Click(); });
  OnMouseDown("Picture1",
              [this](int16_t b, int16_t s, float x, float y) { Picture1_MouseDown(b, s, x, y); });
  OnMouseUp("Picture1",
            [this](int16_t b, int16_t s, float x, float y) { Picture1_MouseUp(b, s, x, y); });
  OnMouseMove("Picture1",
              [this](int16_t b, int16_t s, float x, float y) { Picture1_MouseMove(b, s, x, y); });
  handlerCalls.Add([this](const common::HandlerCall& call) {
    if (call.control == "Picture1" && call.event == common::Event::kMouseDown) {
      canvasPressed(call.phase);
    } else if (call.control == "Picture1" && call.event == common::Event::kMouseUp) {
      canvasReleased(call.phase);
    } else if (call.control == "Command1") {
      toolClicked(call.index, call.phase);
    }
  });
}

void Form1::Form_Load() {
  drawing = 0;
  curColor = Picture3.BackColor();
  lineClick = 0;
  circleClick = 0;
  fillCircleClick = 0;
  rectClick = 0;
  lbldes.SetCaption(kToolDescriptions[0]);
  Picture1.SetMousePointer(1);
}

void Form1::Command1_Click(int16_t Index) {
  toolMode = AddInteger(Index, 1);
  if (Index >= 0 && Index <= 9) {
    lbldes.SetCaption(kToolDescriptions[Index]);
    if (Index == 6) Picture1.Cls();
  }
  Picture1.SetMousePointer(Index == 0 ? 1 : 2);
}

void Form1::Anchor(float X, float Y) {
  startX = X;
  startY = Y;
}

// The radius of a circle from its centre (the anchor) and the second click.
void Form1::UpdateRadius(float X, float Y) {
  const float sx = startX.value_or(0), sy = startY.value_or(0);
  const float dx = X - sx;
  const float dy = Y - sy;
  if (Y == sy && X != sx) radius = common::RoundToInteger(std::fabs(dx));
  if (X == sx && Y != sy) radius = common::RoundToInteger(std::fabs(dy));
  if (X != sx && Y != sy) {
    const float squares = dx * dx + dy * dy;
    radius = common::FloorToInteger(std::sqrt(static_cast<double>(squares)));
  }
}

void Form1::Picture1_MouseDown(int16_t /*Button*/, int16_t /*Shift*/, float X, float Y) {
  const float sx = startX.value_or(0), sy = startY.value_or(0);
  if (toolMode == 3) {
    if (lineClick.value_or(0) == 0) {
      Anchor(X, Y);
      lineClick = 1;
    } else {
      lineClick = 0;
      Picture1.Line(sx, sy, X, Y, curColor);
    }
  }
  if (toolMode == 8) {
    if (rectClick == 0) {
      Anchor(X, Y);
      rectClick = 1;
    } else {
      rectClick = 0;
      Picture1.LineFilledBox(sx, sy, X, Y, curColor);
    }
  }
  if (toolMode == 4) {
    if (circleClick.value_or(0) == 0) {
      Anchor(X, Y);
      circleClick = 1;
    } else {
      circleClick = 0;
      UpdateRadius(X, Y);
      Picture1.SetFillStyle(1);
      Picture1.Circle(sx, sy, radius, curColor);
    }
  }
  if (toolMode == 9) {
    if (fillCircleClick.value_or(0) == 0) {
      Anchor(X, Y);
      fillCircleClick = 1;
    } else {
      fillCircleClick = 0;
      UpdateRadius(X, Y);
      Picture1.SetFillStyle(0);
      Picture1.SetFillColor(curColor);
      // The counter is an Integer: a step past 32767 is an overflow.
      const int16_t last = radius;
      for (int16_t k = 1; k <= last; k = AddInteger(k, 1)) Picture1.Circle(sx, sy, k, curColor);
    }
  }
  if (toolMode == 6) {
    if (rectClick == 0) {
      Anchor(X, Y);
      rectClick = 1;
    } else {
      rectClick = 0;
      Picture1.Line(sx, sy, X, sy, curColor);
      Picture1.Line(sx, sy, sx, Y, curColor);
      Picture1.Line(sx, Y, X, Y, curColor);
      Picture1.Line(X, sy, X, Y, curColor);
    }
  }
  drawing = 1;
}

void Form1::Picture1_MouseUp(int16_t /*Button*/, int16_t /*Shift*/, float /*X*/, float /*Y*/) {
  drawing = 0;
}

void Form1::Picture1_MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float X, float Y) {
  lbly.SetCaption(common::NumberText(common::CheckFloat(ReadoutBase(Picture1) - Y)));
  lblx.SetCaption(common::NumberText(X));
  if (drawing == 1 && toolMode == 2) Picture1.PSet(X, Y, curColor);
  if (drawing == 1 && toolMode == 5) {
    for (int16_t i = 0; i <= kEraserSide; ++i) {
      for (int16_t j = 0; j <= kEraserSide; ++j) Picture1.PSet(X + i, Y + j, kEraserColour);
    }
  }
  if (drawing == 1 && toolMode == 10) {
    for (int16_t i = 0; i <= kBrushSide; ++i) {
      for (int16_t j = 0; j <= kBrushSide; ++j) Picture1.PSet(X + i, Y + j, curColor);
    }
  }
}

void Form1::Picture2_Click(int16_t Index) {
  curColor = GetPicture("Picture2", Index).BackColor();
  Picture3.SetBackColor(curColor);
}

void Form1::cmdeditcolor_Click() {
  cdl.ShowColor();
  GetPicture("Picture2", 0).SetBackColor(cdl.Color());
}

}  // namespace paint
