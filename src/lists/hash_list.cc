#include "lists/hash_list.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/line_writer.h"
#include "common/text_reader.h"
#include "lists/batch_keys.h"
#include "lists/exclusion_rules.h"
#include "lists/line_runs.h"
#include "lists/list_output.h"

namespace ondrel {
namespace {

void Hash(const std::string& listPath, const std::string& outputPath, DigestKind kind,
          FileSystem& files, HashListResult& result) {
  BatchKeyMaker keyMaker(kind == DigestKind::kMd5 ? KeyKind::kMd5 : KeyKind::kSha256);
  TextFileReader list(listPath, TextFileReader::kBlockSize, files);
  const std::string inputs[] = {listPath};
  LineWriter output(std::move(OpenListOutputs({&outputPath, 1}, inputs, files)[0]), outputPath,
                    files);
  result.outputWritten = true;
  // The hex digits of line i at i * width: the two parts of a batch fill their own lines'.
  const std::size_t width = 2 * DigestSize(kind);
  std::string hex;
  ForEachBatchOfTrimmedLines(list, kBatchLines, {}, [&](std::span<const std::string_view> lines) {
    hex.assign(lines.size() * width, '\0');
    keyMaker.MakeAndUse(lines, {}, [&](std::size_t from, BatchKeyMaker::Keys digests) {
      std::string part;
      for (const std::optional<std::string_view>& digest : digests)
        AppendHex({reinterpret_cast<const unsigned char*>(digest->data()), digest->size()}, part);
      std::copy(part.begin(), part.end(), hex.begin() + from * width);
    });
    for (std::size_t i = 0; i < lines.size(); ++i)
      output.WriteLine(std::string_view(hex).substr(i * width, width));
    result.linesRead += static_cast<std::int64_t>(lines.size());
    result.linesWritten += static_cast<std::int64_t>(lines.size());
  });
  output.Close();
  result.completed = true;
}

}  // namespace

HashListResult HashList(const std::string& listPath, const std::string& outputPath, DigestKind kind,
                        FileSystem& files) {
  HashListResult result;
  result.failure = FailureOf([&] { Hash(listPath, outputPath, kind, files, result); });
  return result;
}

}  // namespace ondrel
