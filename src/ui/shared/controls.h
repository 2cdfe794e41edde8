// The toolkit-free description of a window: its controls with their places in twips, its
// tab order and its menus. Each toolkit builds its widgets from these tables.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/window_system.h"

namespace ondrel::ui {

// 15 twips make one pixel at 96 DPI (one logical pixel).
inline constexpr int kTwipsPerPixel = 15;

// "No colour of its own": the control takes its window's.
inline constexpr Colour kNoColour = 0xFFFFFFFF;

// The face of every control; sizes in points.
inline constexpr std::string_view kFaceName = "MS Sans Serif";
inline constexpr double kDefaultPoints = 8.0;

enum class ControlKind {
  kLabel,
  kTextBox,
  kButton,
  kOption,
  kCheckBox,
  kImage,
  kPictureBox,
  kLine
};

enum class Picture { kNone, kLogo, kWordmark, kQuestionMark };

struct Place {
  int left = 0, top = 0, width = 0, height = 0;  // twips
};

struct ControlSpec {
  std::string_view name = {};  // "txtPath(0)": name and index, as tests and handlers call it
  ControlKind kind = ControlKind::kLabel;
  std::string_view caption = {};
  Place place = {};
  double points = kDefaultPoints;
  bool bold = false;
  bool centred = false;
  bool wordWrap = false;
  Colour back = kNoColour;
  Colour fore = kNoColour;
  Picture picture = Picture::kNone;
  std::string_view toolTip = {};
  bool handPointer = false;
  int value = 0;  // option and check box at start: 1 selected / ticked
  // The right edge (twips) up to which a one-line caption may grow when the face is wider
  // than the one the layout was made for (see caption_fit.h); 0: its own right edge.
  int captionRoomRight = 0;
};

struct MenuSpec {
  std::string_view name = {};
  std::string_view caption = {};
  std::string_view parent = {};  // empty for a drop-down of the menu bar
};

struct FormSpec {
  std::string_view name = {};
  std::string_view caption = {};  // the main window's caption is made at load
  int width = 0, height = 0;      // client area, twips
  Colour back = kNoColour;
  bool closeBox = true;
  // Kept above the program's other windows while shown, for a window without an owner.
  bool staysOnTop = false;
  // Twips added on either side of the layout: the controls move right by as much.
  int sideRoom = 0;
  std::span<const ControlSpec> controls = {};
  // The first one has the focus at open. Keyboard: Tab visits the TabStops below; Space, and
  // Enter, press the button that has the focus.
  std::span<const std::string_view> tabOrder = {};
  std::span<const MenuSpec> menus = {};
};

// The graphical buttons' background in every window.
inline constexpr Colour kButtonColour = Rgb(255, 228, 40);

// The controls that Tab visits: the tab order, where option buttons that follow one another
// are one group and one stop (the arrow keys move within it), the first of them standing for
// the group.
std::vector<std::string_view> TabStops(const FormSpec& form);

// Whether `name` is an option button that follows another one in the tab order.
bool InsideOptionGroup(const FormSpec& form, std::string_view name);

// "name(index)", the name of element `index` of a control array.
std::string Indexed(std::string_view name, int index);

// The index of "name(index)" when `control` is an element of the array `name`, else -1.
int IndexIn(std::string_view control, std::string_view name);

// The spec of `name` in `form`, or null.
const ControlSpec* FindControl(const FormSpec& form, std::string_view name);

// The control's identifier in a toolkit that numbers controls (first control 100; menu
// items from 900), or 0 when `form` has no such control or menu item.
int ControlId(const FormSpec& form, std::string_view name);
// The name behind an identifier of ControlId, or empty.
std::string_view ControlName(const FormSpec& form, int id);

}  // namespace ondrel::ui
