// Inside the platform files only: the system's own FileSystem. One class for both platforms,
// its members defined by each platform's files, concern by concern (file_handle_*,
// folder_listing_*, file_search_*, file_status_*, replacement_file_*); the rest of the program
// reaches it only as SystemFileSystem(). What else a platform provides is listed in PORTING.md.
#pragma once

#include "common/file_system.h"

namespace ondrel {

class SystemFiles final : public FileSystem {
 public:
  std::int16_t TestPath(const std::string& path) override;
  bool FindPlainFile(const std::string& path) override;
  bool NameTaken(const std::string& path) override;
  FileStatus StatusOf(const std::string& path) override;
  std::string ResolvedPath(const std::string& path) override;
  void CheckNotPlanted(const std::string& path) override;

  void ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                  OpenFolder* keep) override;
  void ListSubFolder(const OpenFolder& parent, const std::string& name, const std::string& path,
                     std::vector<FolderEntry>& entries, OpenFolder& keep) override;
  OpenFolder Duplicate(const OpenFolder& folder, const std::string& path) override;

  FileHandle OpenToRead(const FilePlace& place, FileStatus& status) override;
  FileHandle OpenToWrite(const std::string& path, WriteMode mode) override;
  FileHandle CreateExclusive(const std::string& path) override;
  FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) override;

  std::size_t Read(FileHandle& file, char* buffer, std::size_t size,
                   std::string_view path) override;
  std::size_t ReadAt(FileHandle& file, std::uint64_t offset, char* buffer, std::size_t size,
                     std::string_view path) override;
  void Rewind(FileHandle& file, std::string_view path) override;
  void WriteAll(FileHandle& file, const char* data, std::size_t size,
                std::string_view path) override;
  std::optional<std::int64_t> WritePosition(const FileHandle& file) override;
  void Truncate(FileHandle& file, std::int64_t size, std::string_view path) override;
  void Sync(FileHandle& file, std::string_view path) override;
  FileStatus StatusOfOpen(const FileHandle& file, std::string_view path) override;
  void AdviseSequential(FileHandle& file) override;
  void Close(FileHandle& file, std::string_view path) override;

  void CheckWritable(const std::string& path) override;
  KeptOwnership TakeOverAttributes(FileHandle& temporary, const std::string& temporaryPath,
                                   const std::string& target,
                                   const std::optional<FileStatus>& original) override;
  void MoveOver(const std::string& temporary, const std::string& target, bool replace, bool durable,
                FileHandle& heldTarget) override;
  void RemoveFile(const std::string& path) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) override;
};

// The directory search behind TestPath and FindPlainFile, one per platform. Links are not
// followed, but a link to a regular file counts as a plain file.
enum class SearchResult { kFound, kNotFound, kFailed };
enum class SearchTarget {
  kAnyEntry,   // a file or a folder (on Windows not one marked as system)
  kPlainFile,  // a regular file, or a link to one (on Windows not hidden or system)
};
SearchResult SearchEntry(const std::string& path, SearchTarget target);

}  // namespace ondrel
