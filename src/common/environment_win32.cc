// shellapi.h needs what windows.h declares.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>

#include "common/environment.h"
#include "common/path_rules.h"
#include "common/system_path_win32.h"

namespace ondrel {
namespace {

wchar_t LowerAscii(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::optional<std::string> EnvironmentValueIgnoringCase(std::string_view name) {
  const std::wstring wanted = Widen(name);
  wchar_t* const block = ::GetEnvironmentStringsW();
  if (block == nullptr) return std::nullopt;
  std::optional<std::string> value;
  for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    const std::wstring_view text(entry);
    // Entries such as "=C:=C:\dati" name a drive's current folder; their name starts at 1.
    const auto equals = text.find(L'=', 1);
    if (equals != wanted.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < equals && same; ++i)
      same = LowerAscii(text[i]) == LowerAscii(wanted[i]);
    if (same) {
      value = Narrow(text.substr(equals + 1));
      break;
    }
  }
  ::FreeEnvironmentStringsW(block);
  return value;
}

std::string FallbackTempFolder() {
  wchar_t folder[MAX_PATH + 2];
  const DWORD length = ::GetTempPathW(MAX_PATH + 2, folder);
  if (length == 0 || length > MAX_PATH + 1) return {};
  std::string path = Narrow(std::wstring_view(folder, length));
  if (!path.empty() && path.back() != kPathSeparator) path += kPathSeparator;
  return path;
}

std::string DecimalSeparator() {
  wchar_t separator[8];  // at most three characters and the terminating zero
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
  const std::string text = Narrow(separator);
  // It goes into file names: a user's format that holds a character no name may hold (a
  // separator of folders among them) is not used.
  const bool nameable =
      !text.empty() && text.find_first_of("\\/:*?\"<>|") == std::string::npos &&
      std::none_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20; });
  return nameable ? text : ".";
}

std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** const wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Narrow(wide[i]));
  if (wide != nullptr) ::LocalFree(wide);
  return arguments;
}

}  // namespace ondrel
