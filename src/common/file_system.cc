#include "common/file_system.h"

namespace ondrel {
namespace {

class SystemFiles final : public FileSystem {
 public:
  void WriteAll(FileHandle& file, const char* data, std::size_t size,
                std::string_view path) override {
    file.WriteAll(data, size, path);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static SystemFiles files;
  return files;
}

}  // namespace ondrel
