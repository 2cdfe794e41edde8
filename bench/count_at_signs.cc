// The physical limit of an extraction: one thread reads every regular file below a folder
// with a reused buffer and counts its "@" bytes with memchr. Prints the count.
//   ondrel-bench-count-at FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

struct Counter {
  std::unique_ptr<char[]> buffer{new char[kBufferSize]};
  unsigned long long at_signs = 0;
  bool failed = false;

  void Complain(const std::string& path) {
    std::fprintf(stderr, "ondrel-bench-count-at: %s: %s\n", path.c_str(), std::strerror(errno));
    failed = true;
  }

  void CountFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Complain(path);
    for (;;) {
      const ssize_t got = read(fd, buffer.get(), kBufferSize);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) Complain(path);
      if (got <= 0) break;
      const char* at = buffer.get();
      const char* const end = at + got;
      while ((at = static_cast<const char*>(std::memchr(at, '@', end - at))) != nullptr) {
        ++at_signs;
        ++at;
      }
    }
    close(fd);
  }

  void CountFolder(const std::string& folder) {
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return Complain(folder);
    while (const dirent* entry = readdir(listing)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "/" + name;
      unsigned char type = entry->d_type;
      if (type == DT_UNKNOWN) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0) continue;
        type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
      }
      if (type == DT_DIR) CountFolder(path);
      if (type == DT_REG) CountFile(path);
    }
    closedir(listing);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: ondrel-bench-count-at FOLDER\n", stderr);
    return 2;
  }
  Counter counter;
  counter.CountFolder(argv[1]);
  std::printf("%llu\n", counter.at_signs);
  return counter.failed ? 1 : 0;
}
