// What the shared handlers read and set in a window, by control name, whatever toolkit
// draws it.
#pragma once

#include <string>
#include <string_view>

namespace ondrel::ui {

// A toolkit's window (a QWidget*, an HWND), passed through to the dialogs it owns.
using OwnerHandle = void*;

class View {
 public:
  virtual ~View() = default;
  // The text of a text box, or the caption of a label or button.
  virtual std::string Text(std::string_view control) const = 0;
  virtual void SetText(std::string_view control, std::string_view text) = 0;
  // Whether `text` fits on one line inside the label `control`, in its face.
  virtual bool CaptionFits(std::string_view control, std::string_view text) const = 0;
  // An empty text removes the tool tip.
  virtual void SetToolTip(std::string_view control, std::string_view text) = 0;
  // Check box: 0 unticked, 1 ticked, 2 grey. Option: 1 selected, else 0.
  virtual int Value(std::string_view control) const = 0;
  // Controls and menu items alike.
  virtual void SetEnabled(std::string_view control, bool enabled) = 0;
  // The control that has the focus (empty when none of the window's has it), and moving it.
  virtual std::string FocusedControl() const = 0;
  virtual void SetFocus(std::string_view control) = 0;
  virtual void SetWindowCaption(std::string_view caption) = 0;
  virtual OwnerHandle Owner() const = 0;
};

}  // namespace ondrel::ui
