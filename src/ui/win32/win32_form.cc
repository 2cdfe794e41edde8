#include "ui/win32/win32_form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "ui/shared/caption_fit.h"
#include "ui/shared/place_form.h"
#include "ui/win32/wide_text.h"

namespace ondrel::ui {

namespace {

constexpr wchar_t kClassName[] = L"OndrelForm";

bool busyPointer = false;

// The raised edge of a graphical button, in pixels at 96 DPI, with one to spare.
constexpr int kButtonEdge = 3;

COLORREF ToColorRef(Colour colour) {
  return static_cast<COLORREF>(colour);  // both keep red in the lowest byte
}

// The same picture drawn twice as large is this far on among the resources.
constexpr int kLargePicture = 10;

// The resource of each picture (see pictures.rc.in).
int PictureResource(Picture picture) {
  switch (picture) {
    case Picture::kLogo:
      return 201;
    case Picture::kWordmark:
      return 202;
    case Picture::kQuestionMark:
      return 203;
    case Picture::kNone:
      break;
  }
  return 0;
}

void RegisterFormClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window at creation
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

Win32Form::Win32Form(const FormSpec& form, HWND owner, std::function<void(std::string_view)> click)
    : form_(form), click_(std::move(click)) {
  RegisterFormClass();
  // A fixed single border, no minimise or maximise box; the close box where the table has it.
  DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER | WS_CLIPCHILDREN;
  if (form.closeBox) style |= WS_SYSMENU;
  const DWORD extended = WS_EX_CONTROLPARENT | (form.staysOnTop ? WS_EX_TOPMOST : 0);
  window_ =
      CreateWindowExW(extended, kClassName, Wide(form.caption).c_str(), style, CW_USEDEFAULT,
                      CW_USEDEFAULT, 100, 100, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  dpi_ = GetDpiForWindow(window_);
  if (dpi_ == 0) dpi_ = 96;
  background_ = CreateSolidBrush(ToColorRef(form.back));
  BuildMenus();
  RECT client{0, 0, Scale(form.width + 2 * form.sideRoom), Scale(form.height)};
  AdjustWindowRectExForDpi(&client, style, GetMenu(window_) != nullptr, extended, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  BuildControls();
}

Win32Form::~Win32Form() {
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (HFONT font : fonts_) DeleteObject(font);
  for (const auto& sizes : pictures_)
    for (HBITMAP picture : sizes)
      if (picture != nullptr) DeleteObject(picture);
  for (HBRUSH brush : brushes_) DeleteObject(brush);
  DeleteObject(background_);
}

void Win32Form::SetBusy(bool busy) {
  busyPointer = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

int Win32Form::Scale(int twips) const {
  return MulDiv(twips, static_cast<int>(dpi_), 96 * kTwipsPerPixel);
}

HFONT Win32Form::MakeFont(double points, bool bold) const {
  LOGFONTW face{};
  face.lfHeight = -static_cast<LONG>(std::lround(points * dpi_ / 72.0));
  face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  face.lfCharSet = DEFAULT_CHARSET;
  const std::wstring name = Wide(kFaceName);
  name.copy(face.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&face);
}

int Win32Form::ToTwips(int pixels) const {
  const int perInch = 96 * kTwipsPerPixel;
  return (pixels * perInch + static_cast<int>(dpi_) - 1) / static_cast<int>(dpi_);
}

TextSize Win32Form::MeasureCaption(HWND control, const ControlSpec& spec, double points) const {
  HFONT font = MakeFont(points, spec.bold);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring caption = Wide(spec.caption);
  RECT text{0, 0, spec.wordWrap ? Scale(spec.place.width) : 0, 0};
  DrawTextW(dc, caption.c_str(), -1, &text,
            DT_CALCRECT | DT_NOPREFIX | (spec.wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  DeleteObject(font);
  SIZE needed{text.right, text.bottom};
  if (spec.kind == ControlKind::kOption || spec.kind == ControlKind::kCheckBox) {
    // The box, the gap before the text and the focus rectangle around it.
    needed.cx += GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi_) + MulDiv(7, dpi_, 96);
    needed.cy = std::max<LONG>(needed.cy, GetSystemMetricsForDpi(SM_CYMENUCHECK, dpi_));
  } else if (spec.kind == ControlKind::kButton) {
    needed.cx += 2 * MulDiv(kButtonEdge, dpi_, 96);
  }
  return {ToTwips(needed.cx), ToTwips(needed.cy)};
}

void Win32Form::BuildControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  toolTips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              window_, nullptr, instance, nullptr);
  for (std::size_t i = 0; i < form_.controls.size(); ++i) {
    const ControlSpec& spec = form_.controls[i];
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD extended = 0;
    switch (spec.kind) {
      case ControlKind::kLabel:
        // The alignment styles are values, not flags: one of them. SS_NOTIFY lets the
        // label's tool tip see the mouse.
        style |= SS_NOPREFIX | SS_NOTIFY |
                 (spec.centred ? SS_CENTER : (spec.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP));
        break;
      case ControlKind::kTextBox:
        windowClass = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        extended = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::kButton:
        windowClass = L"BUTTON";
        style |= WS_TABSTOP | BS_OWNERDRAW;
        break;
      case ControlKind::kOption:
        windowClass = L"BUTTON";
        // One stop for the group: its first option until another is selected.
        style |= (InsideOptionGroup(form_, spec.name) ? 0 : WS_TABSTOP) | BS_AUTORADIOBUTTON;
        break;
      case ControlKind::kCheckBox:
        windowClass = L"BUTTON";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
      case ControlKind::kImage:
        style |= SS_OWNERDRAW | SS_NOTIFY;
        break;
      case ControlKind::kPictureBox:
        style |= SS_OWNERDRAW;
        extended = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::kLine:
        style |= SS_ETCHEDHORZ;
        break;
    }
    // Every control but the options after the first of a group starts a group of its own.
    if (!InsideOptionGroup(form_, spec.name)) style |= WS_GROUP;
    const int id = ControlId(form_, spec.name);
    // Placed and given their font by ScaleControls, at the window's DPI.
    HWND control = CreateWindowExW(extended, windowClass, Wide(spec.caption).c_str(), style, 0, 0,
                                   0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   instance, nullptr);
    if (spec.value == 1) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    const auto load = [&](int resource) {
      return spec.picture == Picture::kNone
                 ? nullptr
                 : static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resource),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    };
    pictures_.push_back(
        {load(PictureResource(spec.picture)), load(PictureResource(spec.picture) + kLargePicture)});
    brushes_.push_back(
        CreateSolidBrush(ToColorRef(spec.back == kNoColour ? form_.back : spec.back)));
    controls_.push_back(control);
    // Labels take theirs when a caption of theirs is shortened.
    if (spec.kind == ControlKind::kLabel || !spec.toolTip.empty())
      SendToolTip(TTM_ADDTOOLW, control, spec.toolTip);
  }
  ScaleControls();
  // The tab order: Tab follows the order of the child windows.
  HWND previous = HWND_TOP;
  for (std::string_view name : form_.tabOrder) {
    SetWindowPos(Control(name), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = Control(name);
  }
  if (!form_.tabOrder.empty()) ::SetFocus(Control(form_.tabOrder.front()));
}

void Win32Form::ScaleControls() {
  std::vector<HFONT> previousFonts = std::move(fonts_);
  fonts_.clear();
  for (std::size_t i = 0; i < form_.controls.size(); ++i) {
    const ControlSpec& spec = form_.controls[i];
    HWND control = controls_[i];
    const FittedCaption fitted = spec.caption.empty() || spec.kind == ControlKind::kTextBox
                                     ? FittedCaption{spec.place, spec.points}
                                     : FitCaption(spec, [&](double points) {
                                         return MeasureCaption(control, spec, points);
                                       });
    const Place& at = fitted.place;
    MoveWindow(control, Scale(form_.sideRoom + at.left), Scale(at.top), Scale(at.width),
               Scale(at.height), TRUE);
    fonts_.push_back(MakeFont(fitted.points, spec.bold));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.back()), TRUE);
  }
  for (HFONT font : previousFonts) DeleteObject(font);
}

void Win32Form::SendToolTip(UINT message, HWND control, std::string_view text) const {
  const std::wstring tip = Wide(text);
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = const_cast<wchar_t*>(tip.c_str());
  SendMessageW(toolTips_, message, 0, reinterpret_cast<LPARAM>(&info));
}

void Win32Form::BuildMenus() {
  if (form_.menus.empty()) return;
  HMENU bar = CreateMenu();
  HMENU dropDown = nullptr;
  for (const MenuSpec& item : form_.menus) {
    const std::wstring caption = Wide(item.caption);
    if (item.parent.empty()) {
      dropDown = CreatePopupMenu();
      AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown), caption.c_str());
    } else {
      AppendMenuW(dropDown, MF_STRING, static_cast<UINT_PTR>(ControlId(form_, item.name)),
                  caption.c_str());
    }
  }
  SetMenu(window_, bar);
}

HWND Win32Form::Control(std::string_view name) const {
  return GetDlgItem(window_, ControlId(form_, name));
}

const ControlSpec* Win32Form::SpecOf(HWND control) const {
  return FindControl(form_, ControlName(form_, GetDlgCtrlID(control)));
}

void Win32Form::PlaceForm() {
  RECT frame;
  GetWindowRect(window_, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  const float perPixel = static_cast<float>(96 * kTwipsPerPixel) / static_cast<float>(dpi_);
  const auto twips = [perPixel](LONG pixels) { return static_cast<float>(pixels) * perPixel; };
  const std::int32_t left =
      CentredOffset(twips(screen.right - screen.left), twips(frame.right - frame.left));
  const std::int32_t top =
      CentredOffset(twips(screen.bottom - screen.top), twips(frame.bottom - frame.top));
  SetWindowPos(window_, nullptr, screen.left + static_cast<int>(left / perPixel),
               screen.top + static_cast<int>(top / perPixel), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32Form::Text(std::string_view control) const {
  HWND handle = Control(control);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void Win32Form::SetText(std::string_view control, std::string_view text) {
  SetWindowTextW(Control(control), Wide(text).c_str());
}

bool Win32Form::CaptionFits(std::string_view control, std::string_view text) const {
  HWND handle = Control(control);
  RECT room;
  GetClientRect(handle, &room);
  HDC dc = GetDC(handle);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)));
  const std::wstring wide = Wide(text);
  SIZE needed{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &needed);
  SelectObject(dc, old);
  ReleaseDC(handle, dc);
  return needed.cx <= room.right;
}

void Win32Form::SetToolTip(std::string_view control, std::string_view text) {
  SendToolTip(TTM_UPDATETIPTEXTW, Control(control), text);
}

int Win32Form::Value(std::string_view control) const {
  switch (SendMessageW(Control(control), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return 1;
    case BST_INDETERMINATE:
      return 2;
    default:
      return 0;
  }
}

void Win32Form::SetEnabled(std::string_view control, bool enabled) {
  if (HWND handle = Control(control)) {
    EnableWindow(handle, enabled);
    return;
  }
  HMENU bar = GetMenu(window_);
  if (bar == nullptr) return;
  // A drop-down is enabled by its place in the bar, an item by its identifier.
  int position = 0;
  for (const MenuSpec& item : form_.menus) {
    if (!item.parent.empty()) continue;
    if (item.name == control) {
      EnableMenuItem(bar, static_cast<UINT>(position),
                     MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
      DrawMenuBar(window_);
      return;
    }
    ++position;
  }
  EnableMenuItem(bar, static_cast<UINT>(ControlId(form_, control)),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::string Win32Form::FocusedControl() const {
  HWND focus = GetFocus();
  if (focus == nullptr || GetParent(focus) != window_) return {};
  return std::string(ControlName(form_, GetDlgCtrlID(focus)));
}

void Win32Form::SetFocus(std::string_view control) {
  ::SetFocus(Control(control));
}

void Win32Form::SetWindowCaption(std::string_view caption) {
  SetWindowTextW(window_, Wide(caption).c_str());
}

std::string_view Win32Form::FocusedButton() const {
  HWND focus = GetFocus();
  if (focus == nullptr || GetParent(focus) != window_) return {};
  const ControlSpec* spec = SpecOf(focus);
  return spec != nullptr && spec->kind == ControlKind::kButton ? spec->name : std::string_view();
}

void Win32Form::MoveGroupStop(std::string_view selected) {
  const std::span<const std::string_view> order = form_.tabOrder;
  auto first = std::find(order.begin(), order.end(), selected);
  if (first == order.end()) return;
  while (first != order.begin() && InsideOptionGroup(form_, *first)) --first;
  for (auto option = first;
       option != order.end() && (option == first || InsideOptionGroup(form_, *option)); ++option) {
    HWND handle = Control(*option);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
    SetWindowLongPtrW(handle, GWL_STYLE,
                      *option == selected ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void Win32Form::DrawButton(const DRAWITEMSTRUCT& item) const {
  const ControlSpec* spec = SpecOf(item.hwndItem);
  HBRUSH fill = CreateSolidBrush(ToColorRef(spec != nullptr ? spec->back : kButtonColour));
  FillRect(item.hDC, &item.rcItem, fill);
  DeleteObject(fill);
  RECT edge = item.rcItem;
  DrawEdge(item.hDC, &edge, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC,
               GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT text = item.rcItem;
  DrawTextW(item.hDC, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&text, -4, -4);
    DrawFocusRect(item.hDC, &text);
  }
}

void Win32Form::DrawImage(const DRAWITEMSTRUCT& item) const {
  const auto index = static_cast<std::size_t>(GetDlgCtrlID(item.hwndItem) -
                                              ControlId(form_, form_.controls.front().name));
  FillRect(item.hDC, &item.rcItem, background_);
  if (index >= pictures_.size() || pictures_[index][0] == nullptr) return;
  // The larger drawing where the control is larger than the ordinary one (above 96 DPI).
  HBITMAP picture = pictures_[index][0];
  BITMAP size{};
  GetObjectW(picture, sizeof(size), &size);
  if (item.rcItem.right > size.bmWidth && pictures_[index][1] != nullptr) {
    picture = pictures_[index][1];
    GetObjectW(picture, sizeof(size), &size);
  }
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(source, picture);
  // The pictures' see-through parts are magenta in the resources.
  TransparentBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, source, 0, 0, size.bmWidth,
                 size.bmHeight, RGB(255, 0, 255));
  SelectObject(source, old);
  DeleteDC(source);
}

LRESULT CALLBACK Win32Form::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, w, l);
  return form->Handle(message, w, l);
}

LRESULT Win32Form::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      // Enter comes as IDOK from the dialog keys: it presses the button that has the focus.
      const std::string_view name =
          LOWORD(w) == IDOK ? FocusedButton() : ControlName(form_, LOWORD(w));
      const WORD code = HIWORD(w);
      if (name.empty() || (code != BN_CLICKED && code != STN_CLICKED)) return 0;
      const ControlSpec* spec = FindControl(form_, name);
      if (spec != nullptr && spec->kind == ControlKind::kOption) MoveGroupStop(name);
      click_(name);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      const ControlSpec* spec = SpecOf(item.hwndItem);
      if (spec != nullptr && spec->kind == ControlKind::kButton)
        DrawButton(item);
      else if (spec != nullptr && spec->kind == ControlKind::kPictureBox && onDrawPicture)
        onDrawPicture(item);
      else
        DrawImage(item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto control = reinterpret_cast<HWND>(l);
      const ControlSpec* spec = SpecOf(control);
      auto dc = reinterpret_cast<HDC>(w);
      if (spec == nullptr) return reinterpret_cast<LRESULT>(background_);
      if (spec->fore != kNoColour) SetTextColor(dc, ToColorRef(spec->fore));
      SetBkColor(dc, ToColorRef(spec->back == kNoColour ? form_.back : spec->back));
      const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) -
                                                  ControlId(form_, form_.controls.front().name));
      return reinterpret_cast<LRESULT>(brushes_.at(index));
    }
    case WM_SETCURSOR: {
      if (busyPointer) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      const ControlSpec* spec = SpecOf(reinterpret_cast<HWND>(w));
      if (spec != nullptr && spec->handPointer) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(window_, &area);
      FillRect(reinterpret_cast<HDC>(w), &area, background_);
      return TRUE;
    }
    case WM_CLOSE:
      if (!onClose || onClose()) DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      if (onDestroy) onDestroy();
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the frame takes the size the system proposes
      // for it, the controls their places and fonts at the new DPI.
      dpi_ = HIWORD(w);
      const RECT& proposed = *reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                   proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
      ScaleControls();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace ondrel::ui
