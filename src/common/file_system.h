// The core's one way to the file system. The walk, the scanner, the run, the list tools and
// their files reach the disk only through a FileSystem, so that a test can hand them a double
// that makes a fault happen (a full disk, a folder turned into a link after it was listed, a
// file gone before it was opened) on any machine, where a real disk would need a small mount,
// another user or good timing.
//
// One convention: an operation that the system fails throws Failure, naming the path. What is
// an answer rather than a failure (nothing has that name, no plain file is there, a device
// cannot seek) is returned. TestPath keeps the three statuses of its documentation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/file_handle.h"
#include "common/file_status.h"
#include "common/folder_listing.h"

namespace ondrel {

class FileSystem {
 public:
  // --- Looking things up.

  // kPathFound when a directory search for `path` finds a file or a folder (on Windows not one
  // marked as system), kPathNotFound when it finds nothing, kPathSearchFailed when the search
  // fails. Wildcards "*" and "?" in the last component match as in a listing; a path ending
  // with the separator asks for a folder.
  virtual std::int16_t TestPath(const std::string& path) = 0;
  // Whether the same search finds a plain file: a regular file, or a link to one; on Windows
  // not a hidden or system file. An empty path finds nothing.
  virtual bool FindPlainFile(const std::string& path) = 0;
  // Whether anything, a symbolic link included, has the name `path`.
  virtual bool NameTaken(const std::string& path) = 0;
  // The status of the file `path` leads to (links followed).
  virtual FileStatus StatusOf(const std::string& path) = 0;
  // The path that `path` leads to, every symbolic link resolved. Rewriting a file through
  // that path replaces the link's target, not the link. A link that another user planted in a
  // folder others may write (sticky and world-writable) is not followed: it fails as
  // kFailureSymbolicLink, as every open of a path the user gave does.
  virtual std::string ResolvedPath(const std::string& path) = 0;
  // Fails (kFailureAccessDenied) when `path` names a file that another user placed in a folder
  // others may write, belonging neither to the user nor to the folder's owner: the user's data
  // must not go into it. OpenToWrite refuses such a file too.
  virtual void CheckNotPlanted(const std::string& path) = 0;

  // --- Folders.

  // Replaces `entries` with the entries of `folder` (a path ending with the separator; a link
  // is followed) in the order the system hands them out, "." and ".." left out; with `keep`,
  // the folder stays open in it. On failure `entries` is empty.
  virtual void ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                          OpenFolder* keep) = 0;
  // The same for the sub-folder `name` (whose path is `path`) of the open folder `parent`,
  // never through a link or junction: on POSIX it is opened in `parent`, so nothing outside
  // its tree is reached whatever is renamed meanwhile; on Windows `parent` held open cannot be
  // renamed. A sub-folder that vanished or was replaced by a file fails as kFailureNotFound,
  // one replaced by a link as kFailureSymbolicLink.
  virtual void ListSubFolder(const OpenFolder& parent, const std::string& name,
                             const std::string& path, std::vector<FolderEntry>& entries,
                             OpenFolder& keep) = 0;
  // A second handle of the open folder `folder`, which stays open when the first is closed.
  virtual OpenFolder Duplicate(const OpenFolder& folder, const std::string& path) = 0;

  // --- Opening files.

  // The regular file at `place` (or the one a link leads to), opened for reading, its status
  // stored in `status`. Anything else is refused at once: a pipe or a device put in a file's
  // place would block the reader or never end.
  virtual FileHandle OpenToRead(const FilePlace& place, FileStatus& status) = 0;
  // The file at `path` (created if missing, not emptied), opened for writing, and for reading
  // too when `mode` appends: never through a symbolic link (kFailureSymbolicLink), never
  // waiting on a pipe (kFailureNotRegular) and never into a file another user planted
  // (kFailureAccessDenied, see CheckNotPlanted).
  virtual FileHandle OpenToWrite(const std::string& path, WriteMode mode) = 0;
  // A new file at `path`, open for writing and reading back, readable and writable by its
  // owner only; never an existing name or a link (kFailureNameTaken).
  virtual FileHandle CreateExclusive(const std::string& path) = 0;
  // A new empty file beside `target` (a resolved path), under a free temporary name that is
  // stored in `path`, open for writing and reading back and owned by its creator only.
  virtual FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) = 0;

  // --- An open file; `path` names it in failures.

  // Reads up to `size` bytes; 0 at the end of the file.
  virtual std::size_t Read(FileHandle& file, char* buffer, std::size_t size,
                           std::string_view path) = 0;
  // Reads up to `size` bytes from `offset` on, without moving; 0 past the end.
  virtual std::size_t ReadAt(FileHandle& file, std::uint64_t offset, char* buffer, std::size_t size,
                             std::string_view path) = 0;
  // Moves back to the first byte.
  virtual void Rewind(FileHandle& file, std::string_view path) = 0;
  // Writes every byte of `data` (a full disk fails as kFailureNoSpace).
  virtual void WriteAll(FileHandle& file, const char* data, std::size_t size,
                        std::string_view path) = 0;
  // Where the next write lands (the end, for a file that appends); none for what cannot seek,
  // a pipe or a device.
  virtual std::optional<std::int64_t> WritePosition(const FileHandle& file) = 0;
  // Cuts the file back to `size` bytes.
  virtual void Truncate(FileHandle& file, std::int64_t size, std::string_view path) = 0;
  // Waits until the file's data is on the storage device.
  virtual void Sync(FileHandle& file, std::string_view path) = 0;
  virtual FileStatus StatusOfOpen(const FileHandle& file, std::string_view path) = 0;
  // Tells the system the file is read once from start to end.
  virtual void AdviseSequential(FileHandle& file) = 0;
  // Closes now, reporting a failed close (deferred write errors). A file left open is closed
  // when its handle goes, without a report.
  virtual void Close(FileHandle& file, std::string_view path) = 0;

  // --- Replacing and removing files.

  // Fails (kFailureAccessDenied) when the user may not write the file at `path`: a file
  // rewritten by a rename needs only the folder's permission, and must not get round its own.
  virtual void CheckWritable(const std::string& path) = 0;
  // Gives `temporary` (open, at `temporaryPath`), which is to take the place of the file at
  // `target`, that file's owner (or, where the user may not give a file away, at least its
  // group), permissions (special bits included) and extended attributes (on Windows its
  // attributes), `original` being its status; for a file not there yet (`original` none), the
  // permissions of a new file. Returns what of the owner it kept.
  virtual KeptOwnership TakeOverAttributes(FileHandle& temporary, const std::string& temporaryPath,
                                           const std::string& target,
                                           const std::optional<FileStatus>& original) = 0;
  // Moves `temporary` over `target` in one step. With `replace` false it fails when the name
  // `target` was taken meanwhile; with `durable`, the move is on disk when it returns. On
  // failure the target is untouched. `heldTarget`, the target open for reading (or an unopened
  // handle), stays open where the system replaces a file held open (POSIX), and is closed first
  // where it does not (Windows).
  virtual void MoveOver(const std::string& temporary, const std::string& target, bool replace,
                        bool durable, FileHandle& heldTarget) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  // The bytes free for the user on the disk of `folder`; none when the system cannot tell.
  virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder) = 0;

 protected:
  ~FileSystem() = default;
};

// The system's own file system.
FileSystem& SystemFileSystem();

// The status or the identity of the file `path` leads to, or none when nothing can be found
// there.
std::optional<FileStatus> StatusIfAny(FileSystem& files, const std::string& path);
std::optional<FileIdentity> IdentityIfAny(FileSystem& files, const std::string& path);

// Removes the file at `path` if it can: for a way out on which a failure would only hide the
// one that is being reported.
void DiscardFile(FileSystem& files, const std::string& path) noexcept;

}  // namespace ondrel
