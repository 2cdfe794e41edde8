#include "common/faulty_file_system.h"

#include <algorithm>
#include <filesystem>

#include "common/path_rules.h"
#include "common/test_files.h"

namespace ondrel::testing {
namespace {

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind(kPathSeparator) + 1);
}

}  // namespace

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
  switch (fault->change) {
    case Change::kDenied:
      return kFailureAccessDenied;
    case Change::kReadOnly:
      // A folder that may not be written keeps its files writable.
      if (access == Access::kCreate ||
          (access == Access::kWrite && fault->path == FoldFolderCase(path)))
        return kFailureAccessDenied;
      return std::nullopt;
    case Change::kVanished: {
      // A name that is gone may be made anew, but not in a folder that is gone.
      const Fault* above = FaultAt(FolderOf(path));
      if ((access == Access::kWrite || access == Access::kCreate) &&
          (above == nullptr || above->change != Change::kVanished))
        return std::nullopt;
      return kFailureNotFound;
    }
    case Change::kLinked:
      return access == Access::kEnter ? std::optional(kFailureSymbolicLink) : std::nullopt;
  }
  return std::nullopt;
}

void FaultyFileSystem::ThrowIfFailing(const std::string& path, std::string_view action,
                                      Access access) const {
  if (const auto number = FailureAt(path, access)) ThrowFailure(*number, action, path);
}

bool FaultyFileSystem::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                                  OpenFolder* keep, std::optional<Failure>* why) {
  const auto number = FailureAt(folder, Access::kList);
  if (!number) return SystemFileSystem().ListFolder(folder, entries, keep, why);
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  if (why != nullptr) *why = Failure(*number, FailureText(*number));
  return false;
}

std::optional<Failure> FaultyFileSystem::ListSubFolder(const OpenFolder& parent,
                                                       const std::string& name,
                                                       const std::string& path,
                                                       std::vector<FolderEntry>& entries,
                                                       OpenFolder& keep) {
  const auto number = FailureAt(path, Access::kEnter);
  if (!number) return SystemFileSystem().ListSubFolder(parent, name, path, entries, keep);
  entries.clear();
  keep = OpenFolder();
  return Failure(*number, FailureText(*number));
}

FileHandle FaultyFileSystem::OpenToRead(const FilePlace& place, FileStatus& status) {
  ThrowIfFailing(place.path, "Impossibile aprire", Access::kRead);
  return SystemFileSystem().OpenToRead(place, status);
}

FileHandle FaultyFileSystem::OpenToWrite(const std::string& path, WriteMode mode) {
  const bool exists = std::filesystem::exists(FsPath(path));
  ThrowIfFailing(path, "Impossibile aprire", exists ? Access::kWrite : Access::kCreate);
  return SystemFileSystem().OpenToWrite(path, mode);
}

FileHandle FaultyFileSystem::CreateExclusive(const std::string& path) {
  ThrowIfFailing(path, "Impossibile creare", Access::kCreate);
  return SystemFileSystem().CreateExclusive(path);
}

void FaultyFileSystem::WriteAll(FileHandle& file, const char* data, std::size_t size,
                                std::string_view path) {
  std::lock_guard lock(writes_);
  const std::size_t fits = room_ ? std::min(size, *room_) : size;
  if (fits > 0) SystemFileSystem().WriteAll(file, data, fits, path);
  if (!room_) return;
  *room_ -= fits;
  if (fits < size) ThrowFailure(kFailureNoSpace, "Impossibile scrivere", path);
}

FileHandle FaultyFileSystem::CreateTemporaryBeside(const std::string& target, std::string& path) {
  ThrowIfFailing(FolderOf(target), "Impossibile creare un file temporaneo accanto a",
                 Access::kCreate);
  return SystemFileSystem().CreateTemporaryBeside(target, path);
}

void FaultyFileSystem::MoveOver(const std::string& temporary, const std::string& target,
                                bool replace) {
  ThrowIfFailing(FolderOf(target), replace ? "Impossibile sostituire" : "Impossibile creare",
                 Access::kCreate);
  SystemFileSystem().MoveOver(temporary, target, replace);
}

bool FaultyFileSystem::RemoveFile(const std::string& path) {
  if (FailureAt(path, Access::kCreate)) return false;
  return SystemFileSystem().RemoveFile(path);
}

std::optional<std::uint64_t> FaultyFileSystem::FreeSpace(const std::string& folder) {
  if (freeSpace_) return freeSpace_;
  return SystemFileSystem().FreeSpace(folder);
}

}  // namespace ondrel::testing
