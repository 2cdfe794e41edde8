#include "lists/subtraction.h"

#include <algorithm>
#include <span>

#include "common/failure.h"
#include "common/file_search.h"
#include "common/line_writer.h"
#include "common/paths.h"
#include "common/text_reader.h"
#include "lists/line_runs.h"
#include "lists/list_output.h"

namespace ondrel {
namespace {

constexpr const char* kEqualNames =
    "I nomi di file base, file di sottrazione e file output non possono essere uguali.";
constexpr const char* kMissingBase = "Il file base non esiste";
constexpr const char* kMissingExclusion = "Il file di sottrazione non esiste";
constexpr const char* kMissingDomains = "Il file dei domini non esiste";

class BusyPointer {
 public:
  explicit BusyPointer(WindowSystem& windows) : windows_(windows) { windows_.SetBusyPointer(true); }
  ~BusyPointer() { windows_.SetBusyPointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  WindowSystem& windows_;
};

// The trimmed base lines of one batch through `rules`: what no rule removes goes to `output`,
// the rest to `removed` if there is one.
void SubtractBatch(std::span<const std::string_view> lines,
                   std::vector<std::unique_ptr<ExclusionRule>>& rules,
                   std::vector<std::uint8_t>& marks, LineWriter& output, LineWriter* removed,
                   SubtractionResult& result) {
  const std::span removedBy = std::span(marks).first(lines.size());
  std::fill(removedBy.begin(), removedBy.end(), 0);
  for (std::size_t r = 0; r < rules.size(); ++r)
    rules[r]->Mark(lines, removedBy, static_cast<std::uint8_t>(r + 1));
  std::int64_t written = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const std::uint8_t rule = removedBy[i]; rule != 0) {
      ++result.exclusions[rule - 1].removed;
      if (removed != nullptr) removed->WriteLine(lines[i]);
    } else {
      output.WriteLine(lines[i]);
      ++written;
    }
  }
  result.linesWritten += written;
  result.baseLinesRead += static_cast<std::int64_t>(lines.size());
}

// The subtraction itself; a failure is thrown to the caller.
void Subtract(const std::string& basePath, const SubtractionRules& rules,
              const std::string& outputPath, FileSystem& files, SubtractionResult& result) {
  std::vector<std::unique_ptr<ExclusionRule>> read;
  std::vector<std::string> inputs = {basePath};
  result.exclusions.resize(rules.exclusions.size());
  for (std::size_t r = 0; r < rules.exclusions.size(); ++r) {
    const ExclusionFile& file = rules.exclusions[r];
    ExclusionReport& report = result.exclusions[r];
    read.push_back(ReadExclusionRule(file, report, files));
    inputs.push_back(file.path);
    if (KeysHaveAForm(file.kind) && report.unfit == report.lines) {
      result.noKeys = true;
      return;
    }
  }
  if (!result.exclusions.empty()) result.exclusionLines = result.exclusions[0].lines;

  TextFileReader base(basePath, TextFileReader::kBlockSize, files);
  // The removed lines' file first: the name a user typed is the likelier to be refused, and
  // then MailNew.txt is not even opened.
  std::vector<std::string> outputs = {outputPath};
  if (!rules.removedPath.empty()) outputs.insert(outputs.begin(), rules.removedPath);
  std::vector<FileHandle> opened = OpenListOutputs(outputs, inputs, files);
  LineWriter output(std::move(opened.back()), outputPath, files);
  std::optional<LineWriter> removed;
  if (opened.size() > 1) removed.emplace(std::move(opened.front()), rules.removedPath, files);
  result.outputWritten = true;

  std::vector<std::uint8_t> marks(kBatchLines);
  ForEachBatchOfTrimmedLines(base, kBatchLines, [&](std::span<const std::string_view> lines) {
    SubtractBatch(lines, read, marks, output, removed ? &*removed : nullptr, result);
  });
  output.Close();
  if (removed) removed->Close();
  result.completed = true;
}

// Whether two of `names` are one file: the same text, or two spellings of it.
bool TwoNamesForOneFile(const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (names[i] == names[j] || SameFile(names[i], names[j])) return true;
  return false;
}

}  // namespace

// The exclusion files are read first, each into a hash set of its keys; the base list is
// streamed and never held.
SubtractionResult SubtractLists(const std::string& basePath, const SubtractionRules& rules,
                                const std::string& outputPath, FileSystem& files) {
  SubtractionResult result;
  result.failure = FailureOf([&] { Subtract(basePath, rules, outputPath, files, result); });
  return result;
}

CreateNewFileResult CreateNewFile(const std::string& baseText, const SubtractionRules& rules,
                                  std::string& newFilePath, WindowSystem& windows,
                                  FileSystem& files) {
  newFilePath = AddBackslash(PathInfo(baseText, 4, windows)) + "MailNew.txt";
  CreateNewFileResult result;
  std::vector<std::string> names = {baseText, newFilePath};
  for (const ExclusionFile& file : rules.exclusions) names.push_back(file.path);
  if (!rules.removedPath.empty()) names.push_back(rules.removedPath);
  if (TwoNamesForOneFile(names)) {
    windows.ShowMessage(kEqualNames, kMessageNoIcon);
    return result;
  }
  if (!FindPlainFile(baseText)) {
    windows.ShowMessage(kMissingBase, kMessageInformation);
    return result;
  }
  for (const ExclusionFile& file : rules.exclusions) {
    if (!FindPlainFile(file.path)) {
      windows.ShowMessage(file.kind == KeyKind::kDomain ? kMissingDomains : kMissingExclusion,
                          kMessageInformation);
      return result;
    }
  }
  {
    BusyPointer busy(windows);
    result.subtraction = SubtractLists(baseText, rules, newFilePath, files);
  }
  result.outcome = result.subtraction.completed ? CreateNewFileOutcome::kCompleted
                                                : CreateNewFileOutcome::kFailed;
  return result;
}

}  // namespace ondrel
