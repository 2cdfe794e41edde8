// The windows Win32 builds from each table, against the table: class and style of each kind,
// caption, place, face, start values, tab order, menus, client size; and the layout again at
// a doubled DPI.
#include "ui/win32/windows_api.h"
// windows.h first: the common controls need its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "ui/shared/layouts.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_form.h"

namespace ondrel::ui {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The class and the style bits that make a control of `kind`.
// The window class of each kind of control, and the bits of its style that tell the kind.
struct KindLook {
  const wchar_t* className;
  DWORD typeMask, type;
};

KindLook LookOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return {L"Static", SS_NOPREFIX, SS_NOPREFIX};
    case ControlKind::kTextBox:
      return {L"Edit", 0, 0};
    case ControlKind::kButton:
      return {L"Button", 0x0F, BS_OWNERDRAW};
    case ControlKind::kOption:
      return {L"Button", 0x0F, BS_AUTORADIOBUTTON};
    case ControlKind::kCheckBox:
      return {L"Button", 0x0F, BS_AUTOCHECKBOX};
    case ControlKind::kImage:
    case ControlKind::kPictureBox:
      return {L"Static", SS_TYPEMASK, SS_OWNERDRAW};
    case ControlKind::kLine:
      return {L"Static", SS_TYPEMASK, SS_ETCHEDHORZ};
  }
  return {L"", 0, 0};
}

void ExpectKind(HWND control, ControlKind kind) {
  const KindLook look = LookOf(kind);
  EXPECT_EQ(ClassOf(control), look.className);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
  EXPECT_EQ(style & look.typeMask, look.type);
}

RECT PlaceInParent(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void ExpectPlaces(const Win32Form& window, const FormSpec& form) {
  RECT client;
  GetClientRect(window.Window(), &client);
  EXPECT_EQ(client.right, window.Scale(form.width)) << form.caption;
  EXPECT_EQ(client.bottom, window.Scale(form.height)) << form.caption;
  for (const ControlSpec& spec : form.controls) {
    const RECT place = PlaceInParent(window.Control(spec.name));
    EXPECT_EQ(place.left, window.Scale(spec.place.left)) << spec.name;
    EXPECT_EQ(place.top, window.Scale(spec.place.top)) << spec.name;
    EXPECT_EQ(place.right - place.left, window.Scale(spec.place.width)) << spec.name;
    EXPECT_EQ(place.bottom - place.top, window.Scale(spec.place.height)) << spec.name;
  }
}

void CompareWithTable(const Win32Form& window, const FormSpec& form) {
  for (const ControlSpec& spec : form.controls) {
    SCOPED_TRACE(std::string(spec.name));
    HWND control = window.Control(spec.name);
    ASSERT_NE(control, nullptr);
    ExpectKind(control, spec.kind);
    if (spec.kind != ControlKind::kImage) {
      EXPECT_EQ(window.Text(spec.name), spec.caption);
    }
    if (spec.kind != ControlKind::kLine) {  // a line shows no text, and keeps no font
      LOGFONTW face{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(face),
                 &face);
      EXPECT_EQ(Narrow(face.lfFaceName), kFaceName);
      EXPECT_EQ(face.lfWeight, spec.bold ? FW_BOLD : FW_NORMAL);
    }
    if (spec.kind == ControlKind::kOption || spec.kind == ControlKind::kCheckBox) {
      EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED, spec.value == 1);
    }
  }
  ExpectPlaces(window, form);
  // Tab follows the order of the child windows, from the first of the tab order on.
  if (!form.tabOrder.empty()) {
    HWND next = window.Control(form.tabOrder.front());
    EXPECT_EQ(GetWindow(window.Window(), GW_CHILD), next);
    for (std::string_view name : form.tabOrder) {
      EXPECT_EQ(next, window.Control(name)) << name;
      next = GetWindow(next, GW_HWNDNEXT);
    }
  }
  for (const MenuSpec& item : form.menus) {
    if (item.parent.empty()) continue;
    wchar_t caption[128] = {};
    GetMenuStringW(GetMenu(window.Window()), static_cast<UINT>(ControlId(form, item.name)), caption,
                   128, MF_BYCOMMAND);
    EXPECT_EQ(Narrow(caption), item.caption) << item.name;
  }
}

TEST(Win32Form, WindowsAreBuiltFromTheirTablesAndFollowTheDpi) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  for (const FormSpec* form : {&kFMain, &kFSottrai, &kFDlgDoppi}) {
    SCOPED_TRACE(std::string(form->caption));
    Win32Form window(*form, nullptr, [](std::string_view) {});
    CompareWithTable(window, *form);

    // Moved to a monitor at twice the scale: the frame as proposed, the controls scaled.
    RECT frame;
    GetWindowRect(window.Window(), &frame);
    RECT proposed{frame.left, frame.top, frame.left + 2 * (frame.right - frame.left),
                  frame.top + 2 * (frame.bottom - frame.top)};
    SendMessageW(window.Window(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(window.Scale(kTwipsPerPixel), 2);
    GetWindowRect(window.Window(), &frame);
    EXPECT_EQ(frame.right - frame.left, proposed.right - proposed.left);
    for (const ControlSpec& spec : form->controls) {
      const RECT place = PlaceInParent(window.Control(spec.name));
      EXPECT_EQ(place.right - place.left, window.Scale(spec.place.width)) << spec.name;
      EXPECT_EQ(place.top, window.Scale(spec.place.top)) << spec.name;
    }
  }
}

}  // namespace
}  // namespace ondrel::ui
