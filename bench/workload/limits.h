// Workloads at the limits an extraction meets: a chain of folders, paths longer than the
// system allows, names holding every byte, and one file without a line end.
#pragma once

#include <cstdint>
#include <string>

namespace ondrel::bench {

// `levels` nested folders below `root`, each holding one .txt file with one address.
void WriteChain(const std::string& root, int levels);

// `levels` nested folders below `root` with names of `name_length` bytes, so that the paths
// grow past the system's limit; each holds one .txt file with one address.
void WriteLongPaths(const std::string& root, int levels, int name_length);

// One .txt file for every byte a name may hold (all but 0 and "/"), in a folder whose name
// holds every such byte too; each file holds one address.
void WriteByteNames(const std::string& root);

// `bytes` bytes of "x" without a line end or a space; with `with_at`, the middle one is "@".
void WriteLongLine(const std::string& path, std::uint64_t bytes, bool with_at);

}  // namespace ondrel::bench
