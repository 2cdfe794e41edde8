// The windows Win32 builds from each table, against the table: class and style of each kind,
// caption, place, face, start values, tab order, menus, client size, every caption whole; the
// layout again at a doubled DPI; the keyboard, the progress dialog and the status captions.
#include "ui/win32/windows_api.h"
// windows.h first: the common controls need its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/shared/caption_fit.h"
#include "ui/shared/layouts.h"
#include "ui/shared/recording_view.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_form.h"
#include "ui/win32/win32_window_system.h"

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

// The size the text of `control` takes in the control's own face.
SIZE TextExtent(HWND control, const ControlSpec& spec) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT text{0, 0, 0, 0};
  GetClientRect(control, &text);
  if (!spec.wordWrap) text.right = 0;
  const std::wstring caption = Wide(spec.caption);
  DrawTextW(dc, caption.c_str(), -1, &text,
            DT_CALCRECT | DT_NOPREFIX | (spec.wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {text.right, text.bottom};
}

// Every control at its place, or, where its caption needed more, grown on its line within its
// room or in a smaller face; and every caption whole (caption_fit.h), the window's title too.
void ExpectCaptionsFit(const Win32Form& window, const FormSpec& form) {
  RECT client;
  GetClientRect(window.Window(), &client);
  const UINT dpi = static_cast<UINT>(window.Scale(96 * kTwipsPerPixel));
  for (const ControlSpec& spec : form.controls) {
    SCOPED_TRACE(std::string(spec.name));
    HWND control = window.Control(spec.name);
    const RECT place = PlaceInParent(control);
    const int side = form.sideRoom;
    const RECT table{window.Scale(side + spec.place.left), window.Scale(spec.place.top),
                     window.Scale(side + spec.place.left + spec.place.width),
                     window.Scale(spec.place.top + spec.place.height)};
    if (spec.caption.empty() || spec.kind == ControlKind::kTextBox) {
      EXPECT_TRUE(EqualRect(&place, &table));
      continue;
    }
    const int roomRight = side + (spec.captionRoomRight != 0 ? spec.captionRoomRight
                                                             : spec.place.left + spec.place.width);
    EXPECT_GE(place.left, window.Scale(side));
    EXPECT_LE(place.right, window.Scale(roomRight) + 1);
    EXPECT_LE(std::abs((place.top + place.bottom) - (table.top + table.bottom)), 2);
    LOGFONTW face{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(face),
               &face);
    EXPECT_GE(-face.lfHeight, std::lround(kSmallestPoints * dpi / 72.0));
    SIZE needed = TextExtent(control, spec);
    if (spec.kind == ControlKind::kOption || spec.kind == ControlKind::kCheckBox)
      needed.cx += GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
    EXPECT_LE(needed.cx, place.right - place.left);
    EXPECT_LE(needed.cy, place.bottom - place.top);
  }
  // The title beside the icon and the close box.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
  HFONT titleFont = CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC dc = GetDC(window.Window());
  HGDIOBJ old = SelectObject(dc, titleFont);
  const std::wstring title = Wide(form.caption);
  SIZE titleSize{};
  GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &titleSize);
  SelectObject(dc, old);
  ReleaseDC(window.Window(), dc);
  DeleteObject(titleFont);
  EXPECT_LE(titleSize.cx + 3 * GetSystemMetricsForDpi(SM_CXSIZE, dpi), client.right) << form.name;
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
  RECT client;
  GetClientRect(window.Window(), &client);
  EXPECT_EQ(client.right, window.Scale(form.width + 2 * form.sideRoom));
  EXPECT_EQ(client.bottom, window.Scale(form.height));
  ExpectCaptionsFit(window, form);
  // The child windows follow the tab order, and Tab visits its stops, one per option group.
  HWND next = window.Control(form.tabOrder.front());
  EXPECT_EQ(GetWindow(window.Window(), GW_CHILD), next);
  for (std::string_view name : form.tabOrder) {
    EXPECT_EQ(next, window.Control(name)) << name;
    next = GetWindow(next, GW_HWNDNEXT);
  }
  HWND stop = window.Control(form.tabOrder.front());
  for (std::string_view name : TabStops(form)) {
    EXPECT_EQ(stop, window.Control(name)) << name;
    stop = GetNextDlgTabItem(window.Window(), stop, FALSE);
  }
  EXPECT_EQ(stop, window.Control(form.tabOrder.front()));
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
    ExpectCaptionsFit(window, *form);
  }
}

// The keys of a user at the focused control, through the program's dialog keys.
void Press(HWND control, WPARAM key) {
  for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    MSG event{control, message, key, 0, 0, {}};
    Win32WindowSystem::Dispatch(event);
  }
}

TEST(Win32Form, EnterPressesTheFocusedButtonAndTheKindOptionsAreOneTabStop) {
  for (const FormSpec* form : kAllForms) {
    std::vector<std::string> clicks;
    Win32Form window(*form, nullptr, [&](std::string_view name) { clicks.emplace_back(name); });
    for (const ControlSpec& spec : form->controls) {
      if (spec.kind != ControlKind::kButton) continue;
      window.SetFocus(spec.name);
      Press(window.Control(spec.name), VK_RETURN);
      ASSERT_FALSE(clicks.empty()) << spec.name;
      EXPECT_EQ(clicks.back(), spec.name);
    }
  }
  Win32Form main(kFMain, nullptr, [](std::string_view) {});
  // An arrow selects the next option; Tab then leaves the group and comes back to it there.
  main.SetFocus("optKindF(0)");
  Press(main.Control("optKindF(0)"), VK_DOWN);
  EXPECT_EQ(main.FocusedControl(), "optKindF(1)");
  EXPECT_EQ(main.Value("optKindF(1)"), 1);
  EXPECT_EQ(GetNextDlgTabItem(main.Window(), main.Control("chkApp"), FALSE),
            main.Control("optKindF(1)"));
}

class Win32WindowSystemTest : public ::testing::Test {
 protected:
  testing::RecordingDesktop desktop;
  Win32Form main{kFMain, nullptr, [](std::string_view) {}};
  Win32WindowSystem windows{main, desktop};
};

TEST_F(Win32WindowSystemTest, ProgressDialogStaysOnTopWithoutOwnerAndItsCloseBoxStops) {
  const std::unique_ptr<ProgressDialog> dialog = windows.ShowProgressDialog();
  HWND shown = FindWindowW(nullptr, Wide(kFDlgDoppi.caption).c_str());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(GetWindow(shown, GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongPtrW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(shown, GWL_STYLE) & WS_SYSMENU);
  EXPECT_FALSE(dialog->Ferma());
  SendMessageW(shown, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(shown));  // the elimination unloads it at its next step
  EXPECT_TRUE(dialog->Ferma());
}

TEST_F(Win32WindowSystemTest, LongStatusCaptionsLoseTheirMiddleToFitTheLabel) {
  const std::string text = "Analisi di: elenco-dei-clienti-della-provincia-di-" +
                           std::string(60, 'x') + "-aggiornato.htm";
  windows.SetCaption(StatusLabel::kProc, text);
  windows.ApplyCaptions();
  const std::string shown = main.Text("lblProc");
  EXPECT_TRUE(shown.starts_with("Analisi di: elenco")) << shown;
  EXPECT_TRUE(shown.ends_with("aggiornato.htm")) << shown;
  EXPECT_NE(shown.find("..."), std::string::npos);
  EXPECT_TRUE(main.CaptionFits("lblProc", shown));
}

// At 192 DPI a picture is drawn from its larger bitmap: its edges are finer than pixel pairs.
TEST(Win32Form, PicturesAt192DpiAreDrawnFromTheLargerBitmap) {
  Win32Form window(kFMain, nullptr, [](std::string_view) {});
  RECT frame;
  GetWindowRect(window.Window(), &frame);
  SendMessageW(window.Window(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&frame));
  HWND logo = window.Control("Image1(0)");
  RECT area;
  GetClientRect(logo, &area);
  HDC screen = GetDC(logo);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
  ReleaseDC(logo, screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  DRAWITEMSTRUCT item{
      ODT_STATIC, static_cast<UINT>(GetDlgCtrlID(logo)), 0, ODA_DRAWENTIRE, 0, logo, memory, area,
      0};
  SendMessageW(window.Window(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  int unevenPairs = 0;
  for (int y = 0; y + 1 < area.bottom; y += 2)
    for (int x = 0; x + 1 < area.right; x += 2)
      unevenPairs += GetPixel(memory, x, y) != GetPixel(memory, x + 1, y + 1);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EXPECT_EQ(area.right, 96);
  EXPECT_GT(unevenPairs, 20);
}

}  // namespace
}  // namespace ondrel::ui
