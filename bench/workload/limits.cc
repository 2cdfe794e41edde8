#include "workload/limits.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "workload/output_file.h"

namespace ondrel::bench {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

// Creates the folder `name` inside the open folder `parent` and opens it; paths are never
// built, so depth is no limit.
int MakeFolderAt(int parent, const std::string& name) {
  if (::mkdirat(parent, name.c_str(), 0755) != 0 && errno != EEXIST)
    Fail("cannot create the folder " + name);
  const int folder = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) Fail("cannot open the folder " + name);
  return folder;
}

void WriteFileAt(int folder, const std::string& name, const std::string& bytes) {
  const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::close(fd) != 0)
    Fail("cannot write " + name);
}

// Below `root`, `levels` folders named by `name_of(level)`, each holding a .txt file with
// an address naming its level.
template <typename NameOf>
void WriteNested(const std::string& root, int levels, NameOf name_of) {
  MakeFolders(root);
  int folder = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) Fail("cannot open the folder " + root);
  for (int level = 1; level <= levels; ++level) {
    const int below = MakeFolderAt(folder, name_of(level));
    ::close(folder);
    folder = below;
    WriteFileAt(folder, "a.txt", "level" + std::to_string(level) + "@example.com\n");
  }
  ::close(folder);
}

}  // namespace

void WriteChain(const std::string& root, int levels) {
  WriteNested(root, levels, [](int) { return std::string("d"); });
}

void WriteLongPaths(const std::string& root, int levels, int name_length) {
  WriteNested(root, levels, [name_length](int level) {
    const std::string number = std::to_string(level);
    return number + std::string(name_length - number.size(), 'n');
  });
}

void WriteByteNames(const std::string& root) {
  std::string all_bytes;
  for (int byte = 1; byte < 256; ++byte)
    if (byte != '/') all_bytes += static_cast<char>(byte);
  MakeFolders(root + "/" + all_bytes);
  for (const char byte : all_bytes) {
    const std::string name = std::string("n") + byte + ".txt";
    OutputFile(root + "/" + all_bytes + "/" + name)
        .Write("byte" + std::to_string(static_cast<unsigned char>(byte)) + "@example.com\n");
  }
}

void WriteLongLine(const std::string& path, std::uint64_t bytes, bool with_at) {
  OutputFile file(path);
  const std::string chunk(kChunk, 'x');
  for (std::uint64_t written = 0; written < bytes;) {
    const std::uint64_t size = std::min<std::uint64_t>(kChunk, bytes - written);
    if (with_at && written <= bytes / 2 && bytes / 2 < written + size) {
      std::string piece = chunk.substr(0, size);
      piece[bytes / 2 - written] = '@';
      file.Write(piece);
    } else {
      file.Write(std::string_view(chunk).substr(0, size));
    }
    written += size;
  }
}

}  // namespace ondrel::bench
