#include <windows.h>

#include "common/path_rules.h"
#include "common/system_path_win32.h"

namespace ondrel {

// The file system ignores the case of every script's letters, so all of them are folded.
std::string FoldFolderCase(std::string folder) {
  std::wstring wide = Widen(folder);
  if (wide.empty()) return folder;
  ::CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

}  // namespace ondrel
