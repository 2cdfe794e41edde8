#include "engine/store_conversion.h"

#include <array>

#include "common/failure.h"
#include "common/temp_names.h"

namespace ondrel {
namespace {

// A handful of clashes in a row already means a crowded folder; this many means a name
// source that keeps giving taken names.
constexpr int kTempNameAttempts = 1000;

constexpr std::array<char, 256> MakeByteMap() {
  std::array<char, 256> map{};
  for (int byte = 0; byte < 256; ++byte) {
    int mapped = byte;
    if (mapped == 0) mapped = ' ';
    if (mapped != '\n' && mapped != '\r' && mapped < 32) mapped = 31;
    map[byte] = static_cast<char>(mapped);
  }
  return map;
}
constexpr std::array<char, 256> kByteMap = MakeByteMap();

// Removes the copy it names when it goes, unless the copy was completed.
struct UnfinishedCopy {
  ~UnfinishedCopy() {
    if (!path.empty()) DiscardFile(files, path);
  }
  FileSystem& files;
  std::string path;
};

// Opened for reading too: the scan reads the copy back through this very descriptor.
FileHandle CreateCopy(const TempPathSource& newTempPath, std::string& path, FileSystem& files) {
  for (int attempt = 1;; ++attempt) {
    path = newTempPath();
    try {
      return files.CreateExclusive(path);
    } catch (const Failure& failure) {
      if (failure.Number() != kFailureNameTaken || attempt == kTempNameAttempts)
        ThrowFailure(failure.Number(), "Impossibile creare la copia temporanea", path);
    }
  }
}

}  // namespace

std::string NewTempPath() {
  return TempFolder() + TempFileName();
}

std::optional<StoreCopy> ConvertStoreFile(const FilePlace& source,
                                          const TempPathSource& newTempPath,
                                          const std::optional<FileIdentity>& excluded,
                                          ReadBuffer& buffer, HarvestProgress& progress,
                                          FileSystem& files) {
  const std::string& sourcePath = source.path;
  progress.ShowConversion(sourcePath);
  progress.Yield();

  StoreCopy copy;
  copy.file = CreateCopy(newTempPath, copy.path, files);
  UnfinishedCopy unfinished{files, copy.path};
  FileStatus status;
  FileHandle original = files.OpenToRead(source, status);
  if (excluded && status.identity == *excluded) return std::nullopt;
  char* const data = buffer.Data();
  for (;;) {
    const std::size_t got = files.Read(original, data, buffer.Capacity(), sourcePath);
    if (got == 0) break;
    for (std::size_t i = 0; i < got; ++i) data[i] = kByteMap[static_cast<unsigned char>(data[i])];
    files.WriteAll(copy.file, data, got, copy.path);
  }
  files.Rewind(copy.file, copy.path);
  unfinished.path.clear();
  return copy;
}

}  // namespace ondrel
