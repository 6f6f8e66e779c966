#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/colors.h"
#include "common/runtime_error.h"

// A window is described by data: the window's own properties and one entry
// per control. Positions and sizes are twips, relative to the container.
namespace common {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
  return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

enum class ControlKind {
  kLabel,
  kCommandButton,    // a push button with a caption
  kGraphicalButton,  // a push button showing a picture and no caption
  kPictureBox,
  kFrame,
  kCommonDialog,  // no widget: the colour dialog of the window
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  int16_t index = -1;  // element of a control array, or -1
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string_view caption = {};
  std::optional<Colour> backColor = {};
  int tabIndex = -1;                // -1: takes no focus
  std::string_view container = {};  // a frame's name; empty for the window
  std::string_view toolTip = {};
  std::string_view picture = {};         // Qt resource path
  std::string_view accessibleName = {};  // only for controls without text
  bool namedByColour = false;            // a picture box read as accessibleName + its colour
  bool wordWrap = false;
  bool rightAligned = false;
};

struct FontSpec {
  std::string_view family;  // a comma-separated list, the first one installed wins
  double points;
  int weight;  // 400 normal, 700 bold
};

// What a run-time error report says below the fault's name, in plain words.
struct FaultExplanation {
  Fault fault;
  std::string_view text;
};

struct FormSpec {
  std::string_view caption;
  int clientWidth;
  int clientHeight;
  bool centred = false;
  std::string_view icon = {};
  std::optional<FontSpec> font = {};
  std::span<const ControlSpec> controls = {};
  std::span<const FaultExplanation> faultExplanations = {};
};

}  // namespace common
