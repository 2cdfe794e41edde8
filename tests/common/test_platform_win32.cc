#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include <winioctl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/system_path_win32.h"
#include "common/test_platform.h"

namespace ondrel::testing {

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  // The C library keeps a copy for getenv; the program reads the system's.
  ::_putenv_s(name.c_str(), value ? value->c_str() : "");
  ::SetEnvironmentVariableW(Widen(name).c_str(), value ? Widen(*value).c_str() : nullptr);
}

bool MakeHardLink(const std::string& target, const std::string& link) {
  return ::CreateHardLinkW(SystemPath(link).c_str(), SystemPath(target).c_str(), nullptr);
}

bool MakeSymbolicLink(const std::string&, const std::string&) {
  return false;
}

bool MakeFifo(const std::string&) {
  return false;
}

bool RunsAsRoot() {
  return false;
}

void MarkAttributes(const std::string& path, unsigned attributes) {
  const std::wstring wide = Widen(LiteralPath(path));
  ::SetFileAttributesW(wide.c_str(), ::GetFileAttributesW(wide.c_str()) | attributes);
}

std::string LiteralPath(const std::string& path) {
  return "\\\\?\\" + path;
}

std::string SystemDecimalSeparator() {
  // The user's own number format: "1.50" in English, "1,50" in Italian.
  wchar_t text[32];
  if (::GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"1.5", nullptr, text, 32) == 0) return {};
  const std::string written = Narrow(text);
  return written.substr(1, written.find('5') - 1);
}

// A mount-point reparse point, as "mklink /J" makes it.
bool MakeJunction(const std::string& target, const std::string& link) {
  if (!::CreateDirectoryW(SystemPath(link).c_str(), nullptr)) return false;
  const HANDLE folder =
      ::CreateFileW(SystemPath(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  std::wstring substitute = L"\\??\\" + Widen(target);
  if (substitute.back() == L'\\') substitute.pop_back();
  const std::wstring print = substitute.substr(4);
  const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  const USHORT printBytes = static_cast<USHORT>(print.size() * sizeof(wchar_t));
  // ReparseTag, ReparseDataLength, Reserved, then the mount point's four offsets and the names.
  std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 + printBytes + 2, 0);
  auto put16 = [&](std::size_t at, USHORT value) { std::memcpy(&buffer[at], &value, 2); };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(&buffer[0], &tag, 4);
  put16(4, static_cast<USHORT>(buffer.size() - 8));
  put16(8, 0);
  put16(10, substituteBytes);
  put16(12, static_cast<USHORT>(substituteBytes + 2));
  put16(14, printBytes);
  std::memcpy(&buffer[16], substitute.data(), substituteBytes);
  std::memcpy(&buffer[16 + substituteBytes + 2], print.data(), printBytes);
  DWORD returned = 0;
  const bool made =
      ::DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(),
                        static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
  ::CloseHandle(folder);
  return made;
}

bool TakeAwayPermissions(const std::string&) {
  return false;
}

int CreateDescriptorFile(const std::string& path) {
  return ::_wopen(Widen(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}

void CloseDescriptor(int fd) {
  ::_close(fd);
}

bool PlantAsAnotherUser(const std::string&) {
  return false;
}

bool TakeAwayWriting(const std::string&) {
  return false;
}

std::optional<std::string> AsOrdinaryUser(const std::string&, const std::function<std::string()>&) {
  return std::nullopt;
}

}  // namespace ondrel::testing
