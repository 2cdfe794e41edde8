#include "lists/external_subtraction.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>

#include "common/failure.h"
#include "common/file_handle.h"
#include "common/line_writer.h"
#include "common/paths.h"
#include "common/read_buffer.h"
#include "common/text_reader.h"
#include "lists/buffer_lines.h"
#include "lists/list_pieces.h"
#include "lists/temporary_file.h"

namespace ondrel {
namespace {

// Every bucket being written holds a file open and a line writer's buffer: this many stays far
// inside the usual limit of 1,024 open files.
constexpr std::uint64_t kMostBuckets = 256;
// What a bucket of exclusion keys takes in memory for each of its bytes: the bytes themselves
// and a set's two slots a line, for lines of some 25 bytes.
constexpr std::uint64_t kMemoryPerExclusionByte = 3;
constexpr std::size_t kMarkBufferBytes = 4096;

constexpr std::string_view kWork = "per la sottrazione";

[[noreturn]] void ThrowBaseChanged(const std::string& path) {
  throw Failure(kFailureFileChanged, "Il file \"" + path + "\" e` cambiato durante la sottrazione");
}

}  // namespace

// One mark for each base line of a bucket, in base order: whether an exclusion key equals its
// key. Written a bit at a time to a temporary file, then read back the same way; a bucket
// without exclusion keys has no file, and all its marks are clear.
class ExcludedLines::Marks {
 public:
  Marks(const std::string& basePath, std::uint64_t count) : basePath_(basePath), left_(count) {}
  Marks(const std::string& basePath, const std::string& beside, FileSystem& files)
      : basePath_(basePath), files_(&files), buffer_(kMarkBufferBytes) {
    file_.emplace(beside, files);
    handle_ = file_->TakeHandle();
  }

  void Write(bool mark) {
    if (mark) buffer_[used_ / 8] |= static_cast<unsigned char>(1u << (used_ % 8));
    if (++used_ == 8 * buffer_.size()) Flush();
    ++left_;
  }

  // After the last Write.
  void StartReading() {
    Flush();
    files_->Rewind(handle_, file_->Path());
    available_ = 0;
  }

  // The next mark; throws Failure when the bucket has no more base lines than were marked.
  bool Read() {
    if (left_ == 0) ThrowBaseChanged(basePath_);
    --left_;
    if (!file_) return false;
    if (used_ == 8 * available_) {
      available_ = files_->Read(handle_, reinterpret_cast<char*>(buffer_.data()), buffer_.size(),
                                file_->Path());
      used_ = 0;
      if (available_ == 0) ThrowBaseChanged(basePath_);
    }
    const bool mark = (buffer_[used_ / 8] >> (used_ % 8)) & 1;
    ++used_;
    return mark;
  }

  bool AllRead() const { return left_ == 0; }

 private:
  void Flush() {
    if (used_ == 0) return;
    files_->WriteAll(handle_, reinterpret_cast<const char*>(buffer_.data()), (used_ + 7) / 8,
                     file_->Path());
    std::fill(buffer_.begin(), buffer_.end(), 0);
    used_ = 0;
  }

  const std::string& basePath_;
  FileSystem* files_ = nullptr;
  std::optional<TemporaryFile> file_;
  FileHandle handle_;  // closed before file_ removes the file
  std::vector<unsigned char> buffer_;
  std::size_t used_ = 0;       // bits written to, or read from, the buffer
  std::size_t available_ = 0;  // bytes read into the buffer
  std::uint64_t left_ = 0;     // marks written, or still to be read
};

namespace {

class Partition {
 public:
  Partition(std::uint64_t buckets, const std::string& beside, FileSystem& files) {
    for (std::uint64_t b = 0; b < buckets; ++b)
      writers_.push_back(std::make_unique<LineFileWriter>(beside, files));
  }
  LineFileWriter& Bucket(std::size_t b) { return *writers_[b]; }
  std::vector<LineFile> Finish() {
    std::vector<LineFile> buckets;
    for (auto& writer : writers_) buckets.push_back(writer->Finish());
    return buckets;
  }

 private:
  std::vector<std::unique_ptr<LineFileWriter>> writers_;
};

}  // namespace

ExcludedLines::ExcludedLines(const std::string& basePath, const ExclusionFile& exclusionFile,
                             ExclusionReport& report, const std::string& beside,
                             std::uint64_t budget, FileSystem& files, const StopCheck& stop)
    : basePath_(basePath),
      kind_(exclusionFile.kind),
      keyMaker_(exclusionFile.kind),
      files_(files),
      seed_(std::random_device{}()) {
  const std::string& exclusionPath = exclusionFile.path;
  FileStatus exclusionStatus;
  FileHandle exclusion = files.OpenToRead(exclusionPath, exclusionStatus);
  FileHandle base = files.OpenToRead(basePath, baseStatus_);
  // The buckets of both lists, and the output, which is as long as the base list at most.
  RequireFreeSpace(beside, exclusionStatus.size + 2 * baseStatus_.size, kWork, files);

  // As many buckets as make one bucket's keys fit the budget, as far as the writers' buffers
  // fit it too; a larger bucket is held a piece at a time.
  const std::uint64_t mostBuckets =
      std::clamp<std::uint64_t>(budget / (2 * LineWriter::kBufferSize), 2, kMostBuckets);
  buckets_ =
      std::clamp<std::uint64_t>((kMemoryPerExclusionByte * exclusionStatus.size + budget - 1) /
                                    std::max<std::uint64_t>(budget, 1),
                                2, mostBuckets);

  const std::size_t readBytes = std::clamp<std::size_t>(
      static_cast<std::size_t>(std::min<std::uint64_t>(budget / 8, SIZE_MAX)), 4096,
      TextFileReader::kBlockSize);
  ReadBuffer buffer(readBytes);
  // Each list's keys go to the bucket of their hash; a line without a key goes nowhere.
  const auto split = [&](FileHandle file, const std::string& path, auto keyOf) {
    Partition partition(buckets_, beside, files);
    TextFileReader reader(std::move(file), path, buffer, files);
    ForEachBlock(reader, stop, [&](std::string_view block) {
      BufferLines lines(block);
      std::string_view line;
      while (lines.Next(line))
        if (const auto key = keyOf(TrimSpaces(line)))
          partition.Bucket(BucketOf(HashOf(*key))).Write(*key);
    });
    return partition.Finish();
  };
  std::string exclusionLine, exclusionKey;
  std::vector<LineFile> exclusionBuckets =
      split(std::move(exclusion), exclusionPath,
            [&](std::string_view line) -> std::optional<std::string_view> {
              exclusionLine.assign(line);
              const auto key = ExclusionKey(kind_, exclusionLine);
              CountExclusionLine(report, key.has_value());
              if (!key || !DigestOfKeys(kind_)) return key;
              exclusionKey.clear();
              AppendHex(std::span(reinterpret_cast<const unsigned char*>(key->data()), key->size()),
                        exclusionKey);
              return exclusionKey;
            });
  std::vector<LineFile> baseBuckets =
      split(std::move(base), basePath, [&](std::string_view line) { return BaseKey(line); });

  // The marks of each bucket, its buckets' files removed as soon as they are made. The
  // keys of a piece of the bucket's exclusion keys sit in the budget but for the buffers.
  const std::uint64_t buffers = readBytes + 2 * kMarkBufferBytes;
  const std::size_t pieceBudget = static_cast<std::size_t>(
      std::min<std::uint64_t>(budget > 2 * buffers ? budget - buffers : budget / 2, SIZE_MAX / 2));
  marks_.resize(buckets_);
  for (std::size_t b = buckets_; b-- > 0;) {
    if (stop && stop()) throw StopRequest{};
    LineFile& exclusionKeys = exclusionBuckets[b];
    LineFile& baseKeys = baseBuckets[b];
    if (exclusionKeys.lines == 0) {
      marks_[b] = std::make_unique<Marks>(basePath_, baseKeys.lines);
    } else {
      TextFileReader baseReader(std::move(baseKeys.handle), baseKeys.file.Path(), buffer, files);
      ListPieces pieces(std::move(exclusionKeys.handle), exclusionKeys.file.Path(), pieceBudget,
                        LineSet::kBytesPerLine, files);
      ListPiece piece;
      // With the bucket's keys in more than one piece, a base line is marked when the
      // piece at hand or one before holds its key.
      std::unique_ptr<Marks> before;
      while (pieces.Next(piece)) {
        LineSet keys(piece.text, piece.lines, piece.room);
        BufferLines lines(piece.text);
        std::string_view key;
        while (lines.Next(key)) keys.Insert(key, keys.HashOf(key));
        auto marks = std::make_unique<Marks>(basePath_, beside, files);
        // Stops are asked for between buckets: a bucket's marks take little time.
        baseReader.Rewind();
        ForEachBlock(baseReader, {}, [&](std::string_view block) {
          BufferLines keysRead(block);
          while (keysRead.Next(key)) {
            const bool marked = before && before->Read();
            marks->Write(marked || keys.Contains(key, keys.HashOf(key)));
          }
        });
        marks->StartReading();
        before = std::move(marks);
      }
      marks_[b] = std::move(before);
    }
    exclusionBuckets.pop_back();
    baseBuckets.pop_back();
  }
}

ExcludedLines::~ExcludedLines() = default;

std::optional<std::string_view> ExcludedLines::BaseKey(std::string_view line) {
  made_.clear();
  made_.reserve(BaseKeyMaker::RoomFor(line));
  const auto key = keyMaker_.KeyOf(line, made_);
  if (!key || !DigestOfKeys(kind_)) return key;
  const std::string digest(*key);
  made_.clear();
  AppendHex(std::span(reinterpret_cast<const unsigned char*>(digest.data()), digest.size()), made_);
  return made_;
}

bool ExcludedLines::Excludes(std::string_view line) {
  const auto key = BaseKey(line);
  return key && marks_[BucketOf(HashOf(*key))]->Read();
}

void ExcludedLines::RequireWholeBaseAsked() const {
  for (const auto& marks : marks_)
    if (!marks->AllRead()) ThrowBaseChanged(basePath_);
  const auto now = StatusIfAny(files_, basePath_);
  if (!now || now->identity != baseStatus_.identity || now->size != baseStatus_.size ||
      now->modified != baseStatus_.modified)
    ThrowBaseChanged(basePath_);
}

}  // namespace ondrel
