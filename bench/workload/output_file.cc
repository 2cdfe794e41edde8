#include "workload/output_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace ondrel::bench {

void Fail(const std::string& what) {
  std::fprintf(stderr, "ondrel-bench-workload: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(1);
}

OutputFile::OutputFile(const std::string& path)
    : path_(path), file_(std::fopen(path.c_str(), "wb")) {
  if (file_ == nullptr) Fail("cannot create " + path);
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

OutputFile::~OutputFile() {
  if (std::fclose(file_) != 0) Fail("cannot write " + path_);
}

void OutputFile::Write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    Fail("cannot write " + path_);
  }
}

void MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (!folder.empty() && mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
      Fail("cannot create the folder " + folder);
    }
    if (slash == std::string::npos) return;
  }
}

}  // namespace ondrel::bench
