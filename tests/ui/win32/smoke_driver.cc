// Drives a running ondrel.exe as a user would, through its real controls: finds the main
// window by its caption and the controls by their identifiers, runs an extraction, checks the
// status labels, opens and closes the subtraction window.
// Usage: ondrel_smoke_driver SCAN_FOLDER OUTPUT_FOLDER; exit status 0 when all went as expected.
#include <cstdio>
#include <string>

#include "ondrel/version.h"
#include "ui/shared/layouts.h"
#include "ui/win32/windows_api.h"

namespace {

using ondrel::ui::ControlId;

// A minute: the first window of a new Wine prefix may take that long.
HWND WaitForWindow(const wchar_t* caption) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    if (HWND window = FindWindowW(L"OndrelForm", caption)) return window;
    Sleep(100);
  }
  return nullptr;
}

std::wstring TextOf(HWND control) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                      nullptr);
  return text;
}

int Fail(const char* what) {
  std::fprintf(stderr, "smoke: %s\n", what);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return Fail("usage: ondrel_smoke_driver SCAN_FOLDER OUTPUT_FOLDER");
  const std::wstring caption = L"Ondrel " + std::to_wstring(ondrel::kVersionMajor) + L"." +
                               std::to_wstring(ondrel::kVersionMinor) + L"." +
                               std::to_wstring(ondrel::kVersionRevision);
  HWND main = WaitForWindow(caption.c_str());
  if (main == nullptr) return Fail("no main window with the caption \"Ondrel X.Y.Z\"");
  const auto control = [&](std::string_view name) {
    return GetDlgItem(main, ControlId(ondrel::ui::kFMain, name));
  };
  SetWindowTextW(control("txtPath(0)"), argv[1]);
  SetWindowTextW(control("txtPath(1)"), argv[2]);
  PostMessageW(main, WM_COMMAND,
               MAKEWPARAM(ControlId(ondrel::ui::kFMain, "cmdExtract"), BN_CLICKED),
               reinterpret_cast<LPARAM>(control("cmdExtract")));
  std::wstring mail;
  for (int attempt = 0; attempt < 600; ++attempt) {
    Sleep(100);
    mail = TextOf(control("lblMail"));
    if (mail.starts_with(L"Fine elaborazione")) break;
  }
  std::printf("lblMail: %ls\nlblRes: %ls\n", mail.c_str(), TextOf(control("lblRes")).c_str());
  if (!mail.starts_with(L"Fine elaborazione")) return Fail("the run did not end");

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(ControlId(ondrel::ui::kFMain, "mnuStruSub"), 0), 0);
  HWND sottrai = WaitForWindow(L"Sottrai indirizzi");
  if (sottrai == nullptr) return Fail("the subtraction window did not open");
  if (GetWindow(sottrai, GW_OWNER) != main) return Fail("the subtraction window has no owner");
  Sleep(3000);  // time for a screenshot
  PostMessageW(sottrai, WM_CLOSE, 0, 0);
  for (int attempt = 0; attempt < 50 && IsWindow(sottrai); ++attempt) Sleep(100);
  if (IsWindow(sottrai)) return Fail("the subtraction window did not close");
  std::printf("subtraction window opened and closed\n");
  return 0;
}
