#include "common/faulty_file_system.h"

#include <algorithm>

#include "common/path_rules.h"

namespace ondrel::testing {
namespace {

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind(kPathSeparator) + 1);
}

}  // namespace

void FaultyFileSystem::FillAfter(std::size_t room) {
  room_ = room;
}

void FaultyFileSystem::Vanish(const std::string& path) {
  faults_.push_back({path, Change::kVanished});
}

void FaultyFileSystem::ReplaceByLink(const std::string& path) {
  faults_.push_back({path, Change::kLinked});
}

void FaultyFileSystem::Deny(const std::string& path) {
  faults_.push_back({path, Change::kDenied});
}

void FaultyFileSystem::MakeReadOnly(const std::string& path) {
  faults_.push_back({path, Change::kReadOnly});
}

std::optional<FaultyFileSystem::Change> FaultyFileSystem::ChangeAt(const std::string& path) const {
  // The latest change wins: a folder denied after a file in it vanished hides the file too.
  for (auto fault = faults_.rbegin(); fault != faults_.rend(); ++fault) {
    const bool folder = !fault->path.empty() && fault->path.back() == kPathSeparator;
    if (path == fault->path || (folder && path.starts_with(fault->path))) return fault->change;
  }
  return std::nullopt;
}

void FaultyFileSystem::ThrowIfChanged(const std::string& path, std::string_view action,
                                      bool writes) const {
  const auto change = ChangeAt(path);
  if (change == Change::kDenied || (writes && change == Change::kReadOnly))
    ThrowFailure(kFailureAccessDenied, action, path);
  // A name that is gone may be made anew, but not in a folder that is gone; a link to a folder
  // only matters to the walk.
  if (change == Change::kVanished && (!writes || ChangeAt(FolderOf(path)) == Change::kVanished))
    ThrowFailure(kFailureNotFound, action, path);
}

bool FaultyFileSystem::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                                  OpenFolder* keep, std::optional<Failure>* why) {
  const auto change = ChangeAt(folder);
  if (change == Change::kDenied || change == Change::kVanished) {
    entries.clear();
    if (keep != nullptr) *keep = OpenFolder();
    const FailureNumber number =
        change == Change::kDenied ? kFailureAccessDenied : kFailureNotFound;
    if (why != nullptr) *why = Failure(number, FailureText(number));
    return false;
  }
  return SystemFileSystem().ListFolder(folder, entries, keep, why);
}

std::optional<Failure> FaultyFileSystem::ListSubFolder(const OpenFolder& parent,
                                                       const std::string& name,
                                                       const std::string& path,
                                                       std::vector<FolderEntry>& entries,
                                                       OpenFolder& keep) {
  const auto change = ChangeAt(path);
  if (!change || *change == Change::kReadOnly)
    return SystemFileSystem().ListSubFolder(parent, name, path, entries, keep);
  entries.clear();
  keep = OpenFolder();
  const FailureNumber number = *change == Change::kDenied     ? kFailureAccessDenied
                               : *change == Change::kVanished ? kFailureNotFound
                                                              : kFailureSymbolicLink;
  return Failure(number, FailureText(number));
}

FileHandle FaultyFileSystem::OpenToRead(const FilePlace& place, FileStatus& status) {
  ThrowIfChanged(place.path, "Impossibile aprire", false);
  return SystemFileSystem().OpenToRead(place, status);
}

FileHandle FaultyFileSystem::OpenToWrite(const std::string& path, WriteMode mode) {
  ThrowIfChanged(path, "Impossibile aprire", true);
  return SystemFileSystem().OpenToWrite(path, mode);
}

FileHandle FaultyFileSystem::CreateExclusive(const std::string& path) {
  ThrowIfChanged(path, "Impossibile creare", true);
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
  ThrowIfChanged(FolderOf(target), "Impossibile creare un file temporaneo accanto a", true);
  return SystemFileSystem().CreateTemporaryBeside(target, path);
}

void FaultyFileSystem::MoveOver(const std::string& temporary, const std::string& target,
                                bool replace) {
  ThrowIfChanged(FolderOf(target), replace ? "Impossibile sostituire" : "Impossibile creare", true);
  SystemFileSystem().MoveOver(temporary, target, replace);
}

}  // namespace ondrel::testing
