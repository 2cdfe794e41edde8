// Turning a newsreader store file into a text copy that the scanner reads like a text file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/file_handle.h"
#include "common/file_status.h"
#include "common/file_system.h"
#include "common/read_buffer.h"
#include "engine/harvest_progress.h"

namespace ondrel {

// Gives a full path for a temporary copy; asked again when the path names an existing file.
using TempPathSource = std::function<std::string()>;

// The temporary folder followed by a fresh temporary name.
std::string NewTempPath();

// A text copy of a store file, open for reading from its start. The copy is read through
// this descriptor, never reopened by name: in a temporary folder that others may write, the
// name may lead elsewhere by then.
struct StoreCopy {
  std::string path;
  FileHandle file;
};

// Shows the conversion of the store file through `progress` and yields; creates the copy,
// exclusively and readable by the owner only, at a free path from `newTempPath`; then opens the
// store file at `source` and copies it byte for byte, with a zero byte written as a space and
// every other control byte except CR and LF as byte 31. `buffer` is scratch space. The copy
// stays on disk. A store file that is `excluded` (the run's own output) is not copied and
// nothing is returned. Throws Failure; a copy that could not be completed is removed first.
// Both files are opened, and the copy written, through `files`.
std::optional<StoreCopy> ConvertStoreFile(const FilePlace& source,
                                          const TempPathSource& newTempPath,
                                          const std::optional<FileIdentity>& excluded,
                                          ReadBuffer& buffer, HarvestProgress& progress,
                                          FileSystem& files = SystemFileSystem());

}  // namespace ondrel
