#include "common/whole_file.h"

#include "common/failure.h"

namespace ondrel {
namespace {

[[noreturn]] void ThrowChanged(const std::string& path) {
  throw Failure(kFailureFileChanged, "Il file \"" + path + "\" e` cambiato mentre veniva letto");
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path, std::size_t padding, FileSystem& files) {
  WholeFile whole;
  FileHandle file = files.OpenToRead(path, whole.status);
  whole.memory = LargeMemory(LargeMemory::BytesFor(whole.status.size, 1, padding));
  whole.size = static_cast<std::size_t>(whole.status.size);
  char* bytes = static_cast<char*>(whole.memory.Data());
  std::size_t got = 0;
  while (got < whole.size) {
    const std::size_t read = files.Read(file, bytes + got, whole.size - got, path);
    if (read == 0) ThrowChanged(path);
    got += read;
  }
  char probe;
  if (files.Read(file, &probe, 1, path) != 0) ThrowChanged(path);
  files.Close(file, path);
  return whole;
}

}  // namespace ondrel
