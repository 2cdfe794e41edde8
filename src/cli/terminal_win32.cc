#include <io.h>
#include <windows.h>

#include <cstdlib>

#include "cli/terminal_line.h"
#include "common/system_path_win32.h"

namespace ondrel::cli {
namespace {

HANDLE HandleOf(int fd) {
  return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return ::GetConsoleMode(handle, &mode) != 0;
}

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int TerminalColumns(int fd) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!::GetConsoleScreenBufferInfo(HandleOf(fd), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

// The progress line is redrawn in place with escape sequences, which only a console in
// virtual-terminal mode understands (Windows 10 on); elsewhere there is no progress line.
TerminalTraits DetectTerminal(int fd) {
  TerminalTraits traits;
  const HANDLE handle = HandleOf(fd);
  DWORD mode;
  if (!::GetConsoleMode(handle, &mode)) return traits;
  if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0 &&
      !::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING))
    return traits;
  traits.isTerminal = true;
  traits.clearToEnd = true;
  traits.colours = !EnvironmentSet("NO_COLOR");
  if (const int columns = TerminalColumns(fd); columns > 0) traits.columns = columns;
  return traits;
}

bool WriteAll(int fd, std::string_view text) {
  const HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) return false;
  if (IsConsole(handle)) {
    const std::wstring wide = Widen(text);
    std::size_t done = 0;
    while (done < wide.size()) {
      DWORD written = 0;
      if (!::WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(wide.size() - done),
                           &written, nullptr) ||
          written == 0)
        return false;
      done += written;
    }
    return true;
  }
  while (!text.empty()) {
    DWORD written = 0;
    if (!::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written == 0)
      return false;
    text.remove_prefix(written);
  }
  return true;
}

}  // namespace ondrel::cli
