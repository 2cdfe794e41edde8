#include "common/faulty_file_system.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/file_search.h"
#include "common/path_rules.h"
#include "common/test_files.h"

namespace ondrel::testing {
void FaultyFileSystem::FillAfter(std::size_t room) {
  room_ = room;
}

void FaultyFileSystem::ReportFreeSpace(std::uint64_t bytes) {
  freeSpace_ = bytes;
}

void FaultyFileSystem::Vanish(const std::string& path) {
  faults_.push_back({FoldFolderCase(path), Change::kVanished});
}

void FaultyFileSystem::ReplaceByLink(const std::string& path) {
  faults_.push_back({FoldFolderCase(path), Change::kLinked});
}

void FaultyFileSystem::Deny(const std::string& path) {
  faults_.push_back({FoldFolderCase(path), Change::kDenied});
}

void FaultyFileSystem::PlantLink(const std::string& path) {
  faults_.push_back({FoldFolderCase(path), Change::kPlantedLink});
}

void FaultyFileSystem::PlantFile(const std::string& path) {
  faults_.push_back({FoldFolderCase(path), Change::kPlantedFile});
}

void FaultyFileSystem::MakeReadOnly(const std::string& path) {
  faults_.push_back({FoldFolderCase(path), Change::kReadOnly});
}

const FaultyFileSystem::Fault* FaultyFileSystem::FaultAt(const std::string& spelled) const {
  // Where the system ignores letter case, so do the faults: the run lower-cases its folders.
  const std::string path = FoldFolderCase(spelled);
  // The latest change wins: a folder denied after a file in it vanished hides the file too.
  for (auto fault = faults_.rbegin(); fault != faults_.rend(); ++fault) {
    const bool folder = !fault->path.empty() && fault->path.back() == kPathSeparator;
    if (path == fault->path || (folder && path.starts_with(fault->path))) return &*fault;
  }
  return nullptr;
}

std::optional<FailureNumber> FaultyFileSystem::FailureAt(const std::string& path,
                                                         Access access) const {
  const Fault* fault = FaultAt(path);
  if (fault == nullptr) return std::nullopt;
  const bool at = fault->path == FoldFolderCase(path);
  switch (fault->change) {
    case Change::kDenied:
      // A name in a folder that may still be read can be looked up, whatever its permissions.
      if ((access == Access::kLook || access == Access::kFollow) && at) return std::nullopt;
      return kFailureAccessDenied;
    case Change::kReadOnly:
      // A folder that may not be written keeps its files writable.
      if (access == Access::kCreate || (access == Access::kWrite && at))
        return kFailureAccessDenied;
      return std::nullopt;
    case Change::kVanished: {
      // A name that is gone may be made anew, but not in a folder that is gone.
      const Fault* above = FaultAt(FolderOf(path));
      if ((access == Access::kWrite || access == Access::kCreate || access == Access::kOutput) &&
          (above == nullptr || above->change != Change::kVanished))
        return std::nullopt;
      return kFailureNotFound;
    }
    case Change::kLinked:
      return access == Access::kEnter ? std::optional(kFailureSymbolicLink) : std::nullopt;
    case Change::kPlantedLink:
      if (access == Access::kLook || access == Access::kOutput) return std::nullopt;
      // Opened to be written there, the system refuses it as it refuses a planted file.
      if (access == Access::kWrite || access == Access::kCreate) return kFailureAccessDenied;
      return kFailureSymbolicLink;
    case Change::kPlantedFile:
      return access == Access::kOutput ? std::optional(kFailureAccessDenied) : std::nullopt;
  }
  return std::nullopt;
}

void FaultyFileSystem::ThrowIfFailing(const std::string& path, std::string_view action,
                                      Access access) const {
  if (const auto number = FailureAt(path, access)) ThrowFailure(*number, action, path);
}

std::int16_t FaultyFileSystem::TestPath(const std::string& path) {
  const auto number = FailureAt(path, Access::kLook);
  if (!number) return system_.TestPath(path);
  return *number == kFailureNotFound ? kPathNotFound : kPathSearchFailed;
}

bool FaultyFileSystem::FindPlainFile(const std::string& path) {
  return !FailureAt(path, Access::kLook) && system_.FindPlainFile(path);
}

bool FaultyFileSystem::NameTaken(const std::string& path) {
  const auto number = FailureAt(path, Access::kLook);
  if (number == kFailureNotFound) return false;
  if (number) ThrowFailure(*number, "Impossibile aprire", path);
  return system_.NameTaken(path);
}

FileStatus FaultyFileSystem::StatusOf(const std::string& path) {
  ThrowIfFailing(path, "Impossibile leggere", Access::kLook);
  return system_.StatusOf(path);
}

std::string FaultyFileSystem::ResolvedPath(const std::string& path) {
  ThrowIfFailing(path, "Impossibile aprire", Access::kLook);
  ThrowIfFailing(path, "Impossibile aprire", Access::kFollow);
  return system_.ResolvedPath(path);
}

void FaultyFileSystem::CheckNotPlanted(const std::string& path) {
  ThrowIfFailing(path, "Impossibile scrivere", Access::kOutput);
  system_.CheckNotPlanted(path);
}

void FaultyFileSystem::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                                  OpenFolder* keep) {
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  ThrowIfFailing(folder, "Impossibile leggere la cartella", Access::kList);
  system_.ListFolder(folder, entries, keep);
}

void FaultyFileSystem::ListSubFolder(const OpenFolder& parent, const std::string& name,
                                     const std::string& path, std::vector<FolderEntry>& entries,
                                     OpenFolder& keep) {
  entries.clear();
  keep = OpenFolder();
  ThrowIfFailing(path, "Impossibile leggere la cartella", Access::kEnter);
  system_.ListSubFolder(parent, name, path, entries, keep);
}

OpenFolder FaultyFileSystem::Duplicate(const OpenFolder& folder, const std::string& path) {
  return system_.Duplicate(folder, path);
}

FileHandle FaultyFileSystem::OpenToRead(const FilePlace& place, FileStatus& status) {
  ThrowIfFailing(place.path, "Impossibile aprire",
                 place.folder != nullptr ? Access::kEnter : Access::kRead);
  return system_.OpenToRead(place, status);
}

FileHandle FaultyFileSystem::OpenToWrite(const std::string& path, WriteMode mode) {
  const bool exists = std::filesystem::exists(FsPath(path));
  ThrowIfFailing(path, "Impossibile aprire", exists ? Access::kWrite : Access::kCreate);
  if (exists) ThrowIfFailing(path, "Impossibile aprire", Access::kOutput);
  return system_.OpenToWrite(path, mode);
}

FileHandle FaultyFileSystem::CreateExclusive(const std::string& path) {
  ThrowIfFailing(path, "Impossibile creare", Access::kCreate);
  return system_.CreateExclusive(path);
}

FileHandle FaultyFileSystem::CreateTemporaryBeside(const std::string& target, std::string& path) {
  ThrowIfFailing(FolderOf(target), "Impossibile creare un file temporaneo accanto a",
                 Access::kCreate);
  return system_.CreateTemporaryBeside(target, path);
}

std::size_t FaultyFileSystem::Read(FileHandle& file, char* buffer, std::size_t size,
                                   std::string_view path) {
  return system_.Read(file, buffer, size, path);
}

std::size_t FaultyFileSystem::ReadAt(FileHandle& file, std::uint64_t offset, char* buffer,
                                     std::size_t size, std::string_view path) {
  return system_.ReadAt(file, offset, buffer, size, path);
}

void FaultyFileSystem::Rewind(FileHandle& file, std::string_view path) {
  system_.Rewind(file, path);
}

void FaultyFileSystem::WriteAll(FileHandle& file, const char* data, std::size_t size,
                                std::string_view path) {
  std::lock_guard lock(writes_);
  const std::size_t fits = room_ ? std::min(size, *room_) : size;
  if (fits > 0) system_.WriteAll(file, data, fits, path);
  if (!room_) return;
  *room_ -= fits;
  if (fits < size) ThrowFailure(kFailureNoSpace, "Impossibile scrivere", path);
}

std::optional<std::int64_t> FaultyFileSystem::WritePosition(const FileHandle& file) {
  return system_.WritePosition(file);
}

void FaultyFileSystem::Truncate(FileHandle& file, std::int64_t size, std::string_view path) {
  system_.Truncate(file, size, path);
}

void FaultyFileSystem::Sync(FileHandle& file, std::string_view path) {
  system_.Sync(file, path);
}

FileStatus FaultyFileSystem::StatusOfOpen(const FileHandle& file, std::string_view path) {
  return system_.StatusOfOpen(file, path);
}

void FaultyFileSystem::AdviseSequential(FileHandle& file) {
  system_.AdviseSequential(file);
}

void FaultyFileSystem::Close(FileHandle& file, std::string_view path) {
  system_.Close(file, path);
}

void FaultyFileSystem::CheckWritable(const std::string& path) {
  ThrowIfFailing(path, "Impossibile scrivere", Access::kWrite);
  system_.CheckWritable(path);
}

KeptOwnership FaultyFileSystem::TakeOverAttributes(FileHandle& temporary,
                                                   const std::string& temporaryPath,
                                                   const std::string& target,
                                                   const std::optional<FileStatus>& original) {
  return system_.TakeOverAttributes(temporary, temporaryPath, target, original);
}

void FaultyFileSystem::AppendBeforeReplacing(const std::string& path, const std::string& bytes) {
  appendTo_ = path;
  appended_ = bytes;
}

void FaultyFileSystem::MoveOver(const std::string& temporary, const std::string& target,
                                bool replace, bool durable, FileHandle& heldTarget) {
  if (!appendTo_.empty() && FoldFolderCase(target) == FoldFolderCase(appendTo_))
    std::ofstream(FsPath(target), std::ios::binary | std::ios::app) << appended_;
  ThrowIfFailing(FolderOf(target), replace ? "Impossibile sostituire" : "Impossibile creare",
                 Access::kCreate);
  system_.MoveOver(temporary, target, replace, durable, heldTarget);
}

void FaultyFileSystem::RemoveFile(const std::string& path) {
  ThrowIfFailing(path, "Impossibile eliminare", Access::kLook);
  ThrowIfFailing(FolderOf(path), "Impossibile eliminare", Access::kCreate);
  system_.RemoveFile(path);
}

std::optional<std::uint64_t> FaultyFileSystem::FreeSpace(const std::string& folder) {
  if (freeSpace_) return freeSpace_;
  return system_.FreeSpace(folder);
}

}  // namespace ondrel::testing
