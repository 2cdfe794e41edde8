// Renders each window of ondrel.exe to a BMP, frame and title included, as the screen shows
// it: ondrel_render_windows OUTPUT_FOLDER (scripts/render-windows.sh runs it under Wine).
#include "ui/win32/windows_api.h"
// windows.h first: the common controls need its types.
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "ui/render_scenario.h"
#include "ui/shared/layouts.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_desktop.h"
#include "ui/win32/win32_main_window.h"

namespace ondrel::ui {
namespace {

void HandleMessagesFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Win32WindowSystem::Dispatch(message);
    Sleep(10);
  }
}

bool WriteBitmap(const std::wstring& path, HDC screen, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header{sizeof(header), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<char> pixels(static_cast<std::size_t>(width) * height * 4);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(header);
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return out.good();
}

// The program's visible windows but `keep`.
std::vector<HWND> OtherWindows(HWND keep) {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) {
        if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::erase(windows, keep);
  return windows;
}

}  // namespace
}  // namespace ondrel::ui

int wmain(int argc, wchar_t** argv) {
  using namespace ondrel::ui;
  if (argc != 2) {
    std::fprintf(stderr, "usage: ondrel_render_windows OUTPUT_FOLDER\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Desktop desktop;
  Win32MainWindow main(desktop);
  const auto windowOf = [&](std::string_view form) {
    if (form == kFMain.name) return main.Form().Window();
    const FormSpec& spec = form == kFSottrai.name ? kFSottrai : kFDlgDoppi;
    return FindWindowW(L"OndrelForm", Wide(spec.caption).c_str());
  };
  const testing::RenderTarget target{
      main.Form(),
      main.Windows(),
      main.Handlers(),
      "C:\\Users\\utente",
      [&](std::string_view control, const std::string& text) {
        SetWindowTextW(GetDlgItem(windowOf("FSottrai"), ControlId(kFSottrai, control)),
                       Wide(text).c_str());
      },
      [&](std::string_view form, const std::string& name) {
        HWND window = windowOf(form);
        // Alone on the screen: the others would cover it (an owned window stays above).
        const std::vector<HWND> others = OtherWindows(window);
        for (HWND other : others) ShowWindow(other, SW_HIDE);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HandleMessagesFor(300);
        RECT area;
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
        HDC drawn = GetWindowDC(window);
        const std::wstring path = folder + L"\\" + Wide(name) + L".bmp";
        const bool saved = WriteBitmap(path, drawn, area);
        ReleaseDC(window, drawn);
        for (HWND other : others) ShowWindow(other, SW_SHOWNA);
        std::printf("%s %ls\n", saved ? "wrote" : "could not write", path.c_str());
        return saved;
      }};
  return testing::RenderScenario(target) ? 0 : 1;
}
