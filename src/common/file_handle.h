// An open file, closed on every way out of its owner, and where a file is to be opened. What is
// done with an open file goes through the FileSystem that opened it (file_system.h).
#pragma once

#include <cstdint>
#include <string>

#include "common/unique_handle.h"

namespace ondrel {

class OpenFolder;

// A file to open: its path, and, where its folder is held open, that folder and the file's
// name in it: the file is then looked up in that very folder, whatever the path leads to by
// now, and the system is spared walking the whole path again.
struct FilePlace {
  FilePlace(const std::string& path) : path(path) {}  // NOLINT: a path is a place
  FilePlace(const std::string& path, const OpenFolder& folder, const std::string& name)
      : path(path), folder(&folder), name(&name) {}

  const std::string& path;  // names the file in failures
  const OpenFolder* folder = nullptr;
  const std::string* name = nullptr;
};

enum class WriteMode {
  kReplace,  // created, or emptied if it exists
  kAppend,   // created if missing, existing lines kept
};

// The system's handle of an open file (a descriptor, a HANDLE), for the platform files.
struct NativeFileTraits {
  using Value = std::intptr_t;
  static constexpr Value Invalid() { return -1; }
  static void Close(Value file);
};

class FileHandle {
 public:
  FileHandle() = default;
  // Takes over a handle that a platform file opened; `appends` when every write goes to the end.
  explicit FileHandle(NativeFileTraits::Value native, bool appends = false)
      : native_(native), appends_(appends) {}

  bool IsOpen() const { return native_.Valid(); }
  NativeFileTraits::Value Native() const { return native_.Get(); }
  bool Appends() const { return appends_; }
  // Gives up the handle, for a close that reports its failure.
  NativeFileTraits::Value Release() { return native_.Release(); }

 private:
  UniqueHandle<NativeFileTraits> native_;
  bool appends_ = false;
};

}  // namespace ondrel
