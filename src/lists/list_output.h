// Where the list tools that write new lists (the subtraction, the digests of a list) open
// what they write: one way for every such output, so that each has the same safety.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "common/file_handle.h"
#include "common/file_system.h"

namespace ondrel {

// Whether the two paths lead to one file, however they are spelled, links included.
bool SameFile(const std::string& a, const std::string& b, FileSystem& files);

// Opens `outputs` to be replaced, each as OpenOutputFile opens the output of a run (never
// through a link, never anything but a plain file with one name). An output that is one of
// `inputs` or another output, however spelled, is refused with Failure (kFailureBadPath)
// before anything is opened; every output is opened, and may be refused, before any is
// emptied. Throws Failure when one cannot be opened or emptied.
std::vector<FileHandle> OpenListOutputs(std::span<const std::string> outputs,
                                        std::span<const std::string> inputs, FileSystem& files);

}  // namespace ondrel
