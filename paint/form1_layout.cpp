#include "paint/form1_layout.h"

#include <QtGlobal>

#include "paint/tool_buttons.h"

namespace paint {
namespace {

using common::ControlKind;
using common::ControlSpec;

constexpr auto kTool = ControlKind::kGraphicalButton;
constexpr auto kSwatch = ControlKind::kPictureBox;

// Tool buttons stand in two columns (Left 0 and 600) and five rows, 615
// twips square, so that neighbours overlap by 15 twips. The frame comes
// before the palette so that the swatches lie above it.
// clang-format off
constexpr ControlSpec kControls[] = {
    {.name = "Picture1", .kind = ControlKind::kPictureBox, .left = 1320, .top = 240, .width = 5895, .height = 3495, .backColor = common::SystemColour(9), .tabIndex = 0, .accessibleName = QT_TRANSLATE_NOOP("controls", "Canvas")},

    {.name = "Command1", .kind = kTool, .index = kMove, .left = 600, .top = 360, .width = 615, .height = 615, .tabIndex = 22, .picture = ":/paint/tool0.ico", .accessibleName = QT_TRANSLATE_NOOP("controls", "Move tool")},
    {.name = "Command1", .kind = kTool, .index = kFreehand, .left = 600, .top = 960, .width = 615, .height = 615, .tabIndex = 23, .toolTip = "Draw Tool", .picture = ":/paint/tool1.ico", .accessibleName = QT_TRANSLATE_NOOP("controls", "Freehand tool")},
    {.name = "Command1", .kind = kTool, .index = kLine, .left = 600, .top = 1560, .width = 615, .height = 615, .tabIndex = 24, .toolTip = "Line Tool", .picture = ":/paint/tool2.bmp", .accessibleName = QT_TRANSLATE_NOOP("controls", "Line tool")},
    {.name = "Command1", .kind = kTool, .index = kCircle, .left = 600, .top = 2160, .width = 615, .height = 615, .tabIndex = 25, .toolTip = "Circle Tool", .picture = ":/paint/tool3.bmp", .accessibleName = QT_TRANSLATE_NOOP("controls", "Circle tool")},
    {.name = "Command1", .kind = kTool, .index = kEraser, .left = 600, .top = 2760, .width = 615, .height = 615, .tabIndex = 26, .toolTip = "Erase Tool", .picture = ":/paint/tool4.ico", .accessibleName = QT_TRANSLATE_NOOP("controls", "Eraser")},
    {.name = "Command1", .kind = kTool, .index = kRectangle, .left = 0, .top = 360, .width = 615, .height = 615, .tabIndex = 27, .toolTip = "Square/Rectangle Tool", .picture = ":/paint/tool5.bmp", .accessibleName = QT_TRANSLATE_NOOP("controls", "Rectangle tool")},
    {.name = "Command1", .kind = kTool, .index = kClear, .left = 0, .top = 2760, .width = 615, .height = 615, .tabIndex = 35, .toolTip = "Clear Image", .picture = ":/paint/tool6.bmp", .accessibleName = QT_TRANSLATE_NOOP("controls", "Clear canvas")},
    {.name = "Command1", .kind = kTool, .index = kFilledBox, .left = 0, .top = 960, .width = 615, .height = 615, .tabIndex = 36, .toolTip = "Filled Square/Rectangle Tool", .picture = ":/paint/tool7.ico", .accessibleName = QT_TRANSLATE_NOOP("controls", "Filled rectangle tool")},
    {.name = "Command1", .kind = kTool, .index = kFilledCircle, .left = 0, .top = 1560, .width = 615, .height = 615, .tabIndex = 38, .toolTip = "Filled circles", .picture = ":/paint/tool8.ico", .accessibleName = QT_TRANSLATE_NOOP("controls", "Filled circle tool")},
    {.name = "Command1", .kind = kTool, .index = kBrush, .left = 0, .top = 2160, .width = 615, .height = 615, .tabIndex = 39, .toolTip = "Paint", .picture = ":/paint/tool9.ico", .accessibleName = QT_TRANSLATE_NOOP("controls", "Thick brush")},

    {.name = "Frame1", .kind = ControlKind::kFrame, .left = 120, .top = 4080, .width = 3615, .height = 855, .caption = "", .tabIndex = 1},

    // Swatch 0 lies inside the frame, at the place of column 0 of the top
    // row; the others are on the window at Left 120 + 360 x column.
    {.name = "Picture2", .kind = kSwatch, .index = 0, .left = 0, .top = 120, .width = 375, .height = 375, .backColor = 0x00FFFFFF, .tabIndex = 2, .container = "Frame1", .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 1, .left = 480, .top = 4200, .width = 375, .height = 375, .backColor = 0x00C0FFFF, .tabIndex = 3, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 2, .left = 480, .top = 4560, .width = 375, .height = 375, .backColor = 0x0000FFFF, .tabIndex = 5, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 3, .left = 120, .top = 4560, .width = 375, .height = 375, .backColor = 0x00C0C0C0, .tabIndex = 4, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 4, .left = 840, .top = 4200, .width = 375, .height = 375, .backColor = 0x008080FF, .tabIndex = 6, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 5, .left = 840, .top = 4560, .width = 375, .height = 375, .backColor = 0x000000FF, .tabIndex = 7, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 6, .left = 1200, .top = 4200, .width = 375, .height = 375, .backColor = 0x0080FF80, .tabIndex = 8, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 7, .left = 1200, .top = 4560, .width = 375, .height = 375, .backColor = 0x00008000, .tabIndex = 9, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 8, .left = 1560, .top = 4200, .width = 375, .height = 375, .backColor = 0x00FFFF80, .tabIndex = 10, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 9, .left = 1560, .top = 4560, .width = 375, .height = 375, .backColor = 0x00C0C000, .tabIndex = 11, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 10, .left = 1920, .top = 4200, .width = 375, .height = 375, .backColor = 0x00FF80FF, .tabIndex = 12, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 11, .left = 1920, .top = 4560, .width = 375, .height = 375, .backColor = 0x00800080, .tabIndex = 13, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 12, .left = 2280, .top = 4200, .width = 375, .height = 375, .backColor = 0x00800000, .tabIndex = 14, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 13, .left = 2280, .top = 4560, .width = 375, .height = 375, .backColor = 0x00808000, .tabIndex = 15, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 14, .left = 2640, .top = 4200, .width = 375, .height = 375, .backColor = 0x00C0FFC0, .tabIndex = 16, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 15, .left = 2640, .top = 4560, .width = 375, .height = 375, .backColor = 0x00FFFFC0, .tabIndex = 17, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 16, .left = 3000, .top = 4200, .width = 375, .height = 375, .backColor = 0x00C00000, .tabIndex = 18, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 17, .left = 3000, .top = 4560, .width = 375, .height = 375, .backColor = 0x00008080, .tabIndex = 19, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 18, .left = 3360, .top = 4200, .width = 375, .height = 375, .backColor = 0x00004040, .tabIndex = 20, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},
    {.name = "Picture2", .kind = kSwatch, .index = 19, .left = 3360, .top = 4560, .width = 375, .height = 375, .backColor = 0x00000000, .tabIndex = 21, .accessibleName = QT_TRANSLATE_NOOP("controls", "Palette colour: "), .namedByColour = true},

    {.name = "Label1", .kind = ControlKind::kLabel, .left = 3840, .top = 4200, .width = 1575, .height = 375, .caption = "Current Colour:", .tabIndex = 28},
    {.name = "Picture3", .kind = ControlKind::kPictureBox, .left = 5040, .top = 4080, .width = 375, .height = 375, .backColor = common::SystemColour(7), .tabIndex = 29, .accessibleName = QT_TRANSLATE_NOOP("controls", "Current colour: "), .namedByColour = true},
    {.name = "cmdeditcolor", .kind = ControlKind::kCommandButton, .left = 5640, .top = 4080, .width = 1455, .height = 375, .caption = "&Edit Colors...", .tabIndex = 34},
    {.name = "lbldes", .kind = ControlKind::kLabel, .left = 3840, .top = 4680, .width = 3375, .height = 735, .tabIndex = 37, .wordWrap = true},
    {.name = "Label2", .kind = ControlKind::kLabel, .left = 120, .top = 5160, .width = 255, .height = 375, .caption = "X:", .tabIndex = 30},
    {.name = "lblx", .kind = ControlKind::kLabel, .left = 480, .top = 5160, .width = 615, .height = 255, .tabIndex = 31},
    {.name = "Label3", .kind = ControlKind::kLabel, .left = 1320, .top = 5160, .width = 255, .height = 255, .caption = "Y:", .tabIndex = 32},
    {.name = "lbly", .kind = ControlKind::kLabel, .left = 1680, .top = 5160, .width = 615, .height = 255, .tabIndex = 33},
    {.name = "cdl", .kind = ControlKind::kCommonDialog},
};
// clang-format on

constexpr common::FormSpec kForm1 = {
    .caption = "Sketchly",
    .clientWidth = 7350,
    .clientHeight = 5580,
    .centred = true,
    .icon = ":/paint/paint.ico",
    // A plain face of the widths and the 8 points the layout was measured
    // for: wider, "Current Colour:" runs under the current-colour swatch and
    // the longer tool descriptions lose their last line.
    .font = common::FontSpec{"Liberation Sans,Nimbus Sans,DejaVu Sans", 8, 400},
    .controls = kControls,
};

}  // namespace

const std::array<std::string_view, 10> kToolDescriptions = {
    "Move Tool : It is used to move the pointer within the picture",
    "Free Hand Tool: Move the Mouse around the canvas while the left Key is pressed slowly to draw "
    "Freehand",
    "Line Tool : Click once to set the starting point and second time to choose an ending point, A "
    "Straight line is drawn between the two points",
    "Circle Tool: Click Once to set the centre and second time to set the radius, a Circle will be "
    "drawn",
    "Erase Tool : Move the Mouse around the canvas , while keeping the Right button press to erase "
    "an area on the canvas",
    "Sq./Rectangle Tool : Click Once to set the starting point and second time to set the ending "
    "point, a sq./rect. is drawn",
    "Clear Tool : Clears the canvas",
    "Sq./Rectangle Tool : Click Once to set the starting point and second time to set the ending "
    "point, a  filled sq./rect. is drawn",
    "Filled circle: It is used to draw filled circles , similar to the circle tool",
    "Paint Tool: Move the mouse over the canvas with left button pressed to draw a thick line",
};

const common::FormSpec& Form1Layout() {
  return kForm1;
}

}  // namespace paint
