// A window's controls built by Win32 from its table (places in twips scaled by the monitor's
// DPI, "MS Sans Serif", colours, owner-drawn graphical buttons, tool tips, the hand pointer,
// menus, tab order), and the view of them by control name for the shared handlers.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/shared/caption_fit.h"
#include "ui/shared/controls.h"
#include "ui/shared/view.h"
#include "ui/win32/windows_api.h"

namespace ondrel::ui {

class Win32Form : public View {
 public:
  // Creates the top-level window of `form` (owned by `owner` when given) with its controls
  // and menus; `click` receives the name of every clicked control or menu item.
  Win32Form(const FormSpec& form, HWND owner, std::function<void(std::string_view)> click);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  HWND Window() const { return window_; }
  HWND Control(std::string_view name) const;
  // Centres the window on its monitor's work area.
  void PlaceForm();
  // Runs when the user closes the window; returning false keeps it open.
  std::function<bool()> onClose;
  // Draws an owner-drawn control that is neither a button nor an image (the picture box).
  std::function<void(const DRAWITEMSTRUCT&)> onDrawPicture;
  // Runs when the window is destroyed.
  std::function<void()> onDestroy;

  std::string Text(std::string_view control) const override;
  void SetText(std::string_view control, std::string_view text) override;
  bool CaptionFits(std::string_view control, std::string_view text) const override;
  void SetToolTip(std::string_view control, std::string_view text) override;
  int Value(std::string_view control) const override;
  void SetEnabled(std::string_view control, bool enabled) override;
  std::string FocusedControl() const override;
  void SetFocus(std::string_view control) override;
  void SetWindowCaption(std::string_view caption) override;
  OwnerHandle Owner() const override { return window_; }

  // The application-wide busy pointer: the hourglass over every form while on.
  static void SetBusy(bool busy);

  // Pixels of `twips` at the window's DPI.
  int Scale(int twips) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void BuildControls();
  void BuildMenus();
  // Places and faces at the window's DPI, the captions fitted (caption_fit.h).
  void ScaleControls();
  HFONT MakeFont(double points, bool bold) const;
  int ToTwips(int pixels) const;  // rounded up
  TextSize MeasureCaption(HWND control, const ControlSpec& spec, double points) const;
  void SendToolTip(UINT message, HWND control, std::string_view text) const;
  // The focused control when it is a button of this window, else empty.
  std::string_view FocusedButton() const;
  // The Tab stop of an option group goes to its selected option.
  void MoveGroupStop(std::string_view selected);
  void DrawButton(const DRAWITEMSTRUCT& item) const;
  void DrawImage(const DRAWITEMSTRUCT& item) const;
  const ControlSpec* SpecOf(HWND control) const;

  const FormSpec& form_;
  std::function<void(std::string_view)> click_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  UINT dpi_ = 96;
  std::vector<HWND> controls_;  // in the table's order
  std::vector<HFONT> fonts_;
  // Per control: the ordinary and the twice as large drawing, null where it shows none.
  std::vector<std::array<HBITMAP, 2>> pictures_;
  std::vector<HBRUSH> brushes_;
  HBRUSH background_ = nullptr;
};

}  // namespace ondrel::ui
