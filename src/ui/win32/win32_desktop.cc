#include "ui/win32/win32_desktop.h"

#include "ui/win32/windows_api.h"
// windows.h first: the shell headers need its types.
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "ui/win32/wide_text.h"

namespace ondrel::ui {

namespace {

HWND OwnerWindow(OwnerHandle owner) {
  return static_cast<HWND>(owner);
}

void Open(const std::string& target) {
  // No owner, the default verb, shown normally; the result is not examined.
  ShellExecuteW(nullptr, nullptr, Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void Win32Desktop::ShowMessage(OwnerHandle owner, const std::string& text, int style,
                               const std::string& title) {
  // The styles are MessageBox's own: 0 no icon, 16 MB_ICONHAND, 64 MB_ICONASTERISK.
  MessageBoxW(OwnerWindow(owner), Wide(text).c_str(), Wide(title).c_str(),
              MB_OK | static_cast<UINT>(style));
}

std::optional<std::string> Win32Desktop::ChooseFile(OwnerHandle owner, const std::string& title,
                                                    const std::string& presetName) {
  // Room for long paths; the preset name fills the box as the dialog opens.
  std::vector<wchar_t> name(32768, L'\0');
  const std::wstring preset = Wide(presetName);
  preset.copy(name.data(), name.size() - 1);
  const std::wstring wideTitle = Wide(title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = OwnerWindow(owner);
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
  dialog.Flags = OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return Narrow(name.data());
}

std::string Win32Desktop::ChooseFolder(OwnerHandle owner, const std::string& title,
                                       std::int32_t options) {
  const std::wstring wideTitle = Wide(title);
  BROWSEINFOW info{};
  info.hwndOwner = OwnerWindow(owner);
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = static_cast<UINT>(options);
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (item == nullptr) return {};
  std::vector<wchar_t> path(MAX_PATH + 1, L'\0');
  const bool found = SHGetPathFromIDListW(item, path.data()) != FALSE;
  CoTaskMemFree(item);
  return found ? Narrow(path.data()) : std::string();
}

void Win32Desktop::OpenDocument(const std::string& path) {
  Open(path);
}

void Win32Desktop::OpenWebAddress(const std::string& address) {
  Open(address);
}

}  // namespace ondrel::ui
