// Turning a newsreader store file into a text copy that the scanner reads like a text file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/file_handle.h"
#include "common/file_status.h"
#include "common/read_buffer.h"
#include "common/window_system.h"

namespace ondrel {

// Gives a full path for a temporary copy; asked again when the path names an existing file.
using TempPathSource = std::function<std::string()>;

// The temporary folder followed by a fresh temporary name.
std::string NewTempPath();

// Shows "Conversione di: " and the store file's name in lblMail and yields; creates the copy,
// exclusively and readable by the owner only, at a free path from `newTempPath`; then opens the
// store file at `sourcePath` and copies it byte for byte, with a zero byte written as a space
// and every other control byte except CR and LF as byte 31. `buffer` is scratch space. Returns
// the copy's path, which the caller owns and which stays on disk. A store file that is
// `excluded` (the run's own output) is not copied: its empty copy is removed and nothing is
// returned. Throws Failure; a store file that cannot be read leaves its copy behind.
std::optional<std::string> ConvertStoreFile(const FilePlace& source,
                                            const TempPathSource& newTempPath,
                                            const std::optional<FileIdentity>& excluded,
                                            ReadBuffer& buffer, WindowSystem& windows);

}  // namespace ondrel
