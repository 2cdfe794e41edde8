// Files for the fuzzers: an in-memory file that any path-taking reader can open, a folder for
// the list tools (which write beside their lists), and the line convention restated plainly.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/literal_lines.h"
#include "fuzz_support.h"

namespace ondrel::fuzz {

// One memory-backed file per process, rewritten for every input.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("ondrel-fuzz", 0)) { FUZZ_CHECK(fd_ >= 0); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Makes `bytes` the whole content; returns a path that opens it.
  std::string Holding(std::string_view bytes) {
    FUZZ_CHECK(::ftruncate(fd_, 0) == 0);
    FUZZ_CHECK(::pwrite(fd_, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
    return "/proc/self/fd/" + std::to_string(fd_);
  }

 private:
  int fd_;
};

inline void RemoveFuzzFolder();

// A folder of this process's own, on a memory file system when there is one. It goes when
// the fuzzer exits; after a failed check it stays, with the files of the failing input.
inline const std::string& FuzzFolder() {
  static const std::string folder = [] {
    std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/ondrel-fuzz-XXXXXX";
    FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
    return pattern + "/";
  }();
  // Registered once the folder's name is made, so it runs while the name still exists.
  static const bool removed_at_exit = std::atexit(RemoveFuzzFolder) == 0;
  static_cast<void>(removed_at_exit);
  return folder;
}

inline void RemoveFuzzFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FuzzFolder(), ignored);
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FUZZ_CHECK(out.good());
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of `bytes`: a line ends at CR, CR LF or a lone LF; the last needs no end.
inline std::vector<std::string> ReferenceLines(std::string_view bytes) {
  return testing::LiteralLines(bytes);
}

// `text` without its leading and trailing spaces (code 32 only).
inline std::string ReferenceTrim(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return std::string(text.substr(first, last - first));
}

// The lines of a written list: each ends with CR LF. False when the text is not so made.
inline bool SplitWrittenList(std::string_view text, std::vector<std::string>& lines) {
  lines.clear();
  while (!text.empty()) {
    const auto end = text.find("\r\n");
    if (end == std::string_view::npos) return false;
    const std::string_view line = text.substr(0, end);
    if (line.find_first_of("\r\n") != std::string_view::npos) return false;
    lines.emplace_back(line);
    text.remove_prefix(end + 2);
  }
  return true;
}

}  // namespace ondrel::fuzz
