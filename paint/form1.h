#pragma once

#include <cstdint>
#include <optional>

#include "common/form.h"

namespace paint {

// The drawing window. Its state is the ten fields below; the handlers are
// bound to the controls' events by name.
class Form1 : public common::Form {
 public:
  Form1();

  int16_t drawing = 0;          // 1 while a button is down on the canvas
  common::Colour curColor = 0;  // the drawing colour
  int16_t toolMode = 0;         // selected tool, button index + 1; 0 acts as the move tool
  std::optional<float> startX;  // anchor of the two-click tools, shared by all five
  std::optional<float> startY;
  std::optional<int16_t> lineClick;  // 1 while a tool waits for its second click
  std::optional<int16_t> circleClick;
  std::optional<int16_t> fillCircleClick;
  int16_t rectClick = 0;  // one flag for the rectangle and the filled rectangle
  int16_t radius = 0;     // of the last circle or filled circle, kept between clicks

  void Form_Load();
  void Command1_Click(int16_t Index);
  void Picture1_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
  void Picture1_MouseUp(int16_t Button, int16_t Shift, float X, float Y);
  void Picture1_MouseMove(int16_t Button, int16_t Shift, float X, float Y);
  void Picture2_Click(int16_t Index);
  void cmdeditcolor_Click();

  // Typed access for what is added beside the window: its canvas, the
  // current colour's swatch, the description label and the colour button.
  common::PictureBox& Canvas() { return Picture1; }
  common::PictureBox& ColourSwatch() { return Picture3; }
  common::Label& Description() { return lbldes; }
  common::CommandButton& ColourButton() { return GetButton("cmdeditcolor"); }
  // Heard before and after the canvas's press and release handlers, and a
  // tool button's click handler (with the button's index), inside the
  // handler's frame.
  common::Listeners<common::HandlerCall::Phase> canvasPressed;
  common::Listeners<common::HandlerCall::Phase> canvasReleased;
  common::Listeners<int16_t, common::HandlerCall::Phase> toolClicked;

 protected:
  void Load() override { Form_Load(); }

 private:
  void Anchor(float X, float Y);
  void UpdateRadius(float X, float Y);

  common::PictureBox& Picture1;
  common::PictureBox& Picture3;
  common::Label& lbldes;
  common::Label& lblx;
  common::Label& lbly;
  common::CommonDialog& cdl;
};

}  // namespace paint
