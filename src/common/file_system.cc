#include "common/file_system.h"

#include "common/file_status.h"
#include "common/replacement_file.h"

namespace ondrel {
namespace {

class SystemFiles final : public FileSystem {
 public:
  bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries, OpenFolder* keep,
                  std::optional<Failure>* why) override {
    return ReadFolder(folder, entries, keep, why);
  }
  std::optional<Failure> ListSubFolder(const OpenFolder& parent, const std::string& name,
                                       const std::string& path, std::vector<FolderEntry>& entries,
                                       OpenFolder& keep) override {
    return ReadSubFolder(parent, name, path, entries, keep);
  }
  FileHandle OpenToRead(const FilePlace& place, FileStatus& status) override {
    return FileHandle::OpenToRead(place, status);
  }
  FileHandle OpenToWrite(const std::string& path, WriteMode mode) override {
    return FileHandle::OpenToWrite(path, mode);
  }
  FileHandle CreateExclusive(const std::string& path) override {
    return FileHandle::CreateExclusive(path);
  }
  void WriteAll(FileHandle& file, const char* data, std::size_t size,
                std::string_view path) override {
    file.WriteAll(data, size, path);
  }
  FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) override {
    return ondrel::CreateTemporaryBeside(target, path);
  }
  void MoveOver(const std::string& temporary, const std::string& target, bool replace) override {
    ondrel::MoveOver(temporary, target, replace);
  }
  bool RemoveFile(const std::string& path) override { return ondrel::RemoveFile(path); }
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) override {
    return FreeSpaceOf(folder);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static SystemFiles files;
  return files;
}

}  // namespace ondrel
