#include "lists/subtraction.h"

#include <algorithm>
#include <span>

#include "common/failure.h"
#include "common/line_writer.h"
#include "common/memory_budget.h"
#include "common/path_rules.h"
#include "common/paths.h"
#include "common/text_reader.h"
#include "lists/external_subtraction.h"
#include "lists/line_runs.h"
#include "lists/list_output.h"
#include "lists/whole_list.h"

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

// A rule whose exclusion file is beyond the memory: its marks of the base lines, made
// through temporary files, read in base order.
class RuleBeyondMemory final : public ExclusionRule {
 public:
  RuleBeyondMemory(const std::string& basePath, const ExclusionFile& file, ExclusionReport& report,
                   const std::string& beside, std::uint64_t budget, FileSystem& files,
                   const StopCheck& stop)
      : excluded_(basePath, file, report, beside, budget, files, stop) {}

  // Every base line is asked about, removed by an earlier rule or not: the marks are read in
  // base order.
  void Mark(std::span<const std::string_view> lines, std::span<std::uint8_t> removedBy,
            std::uint8_t mark) override {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (excluded_.Excludes(lines[i]) && removedBy[i] == 0) removedBy[i] = mark;
  }
  void RequireWholeBaseAsked() const override { excluded_.RequireWholeBaseAsked(); }

 private:
  ExcludedLines excluded_;
};

// The rule of `file`, in memory when its keys fit `budget`, else through temporary files.
std::unique_ptr<ExclusionRule> RuleOf(const std::string& basePath, const ExclusionFile& file,
                                      ExclusionReport& report, const std::string& beside,
                                      std::uint64_t budget, FileSystem& files,
                                      const StopCheck& stop) {
  try {
    if (auto rule = ReadExclusionRule(file, report, files, budget)) return rule;
  } catch (const std::bad_alloc&) {
    report = ExclusionReport{};
    budget = BudgetAfterShortage(budget);
  }
  return std::make_unique<RuleBeyondMemory>(basePath, file, report, beside, budget, files, stop);
}

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
              const std::string& outputPath, FileSystem& files, std::uint64_t budget,
              const StopCheck& stop, SubtractionResult& result) {
  std::vector<std::unique_ptr<ExclusionRule>> read;
  std::vector<std::string> inputs = {basePath};
  result.exclusions.resize(rules.exclusions.size());
  for (std::size_t r = 0; r < rules.exclusions.size(); ++r) {
    const ExclusionFile& file = rules.exclusions[r];
    ExclusionReport& report = result.exclusions[r];
    read.push_back(RuleOf(basePath, file, report, outputPath, budget, files, stop));
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
  ForEachBatchOfTrimmedLines(base, kBatchLines, stop, [&](std::span<const std::string_view> lines) {
    SubtractBatch(lines, read, marks, output, removed ? &*removed : nullptr, result);
  });
  for (const auto& rule : read) rule->RequireWholeBaseAsked();
  output.Close();
  if (removed) removed->Close();
  result.completed = true;
}

// Whether two of `names` are one file: the same text, or two spellings of it.
bool TwoNamesForOneFile(const std::vector<std::string>& names, FileSystem& files) {
  for (std::size_t i = 0; i < names.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (names[i] == names[j] || SameFile(names[i], names[j], files)) return true;
  return false;
}

}  // namespace

// The exclusion files are read first, each into a hash set of its keys, or, beyond the memory,
// into marks of the base lines it removes; the base list is streamed and never held.
SubtractionResult SubtractLists(const std::string& basePath, const SubtractionRules& rules,
                                const std::string& outputPath, FileSystem& files,
                                std::optional<std::uint64_t> memoryBudget, const StopCheck& stop) {
  SubtractionResult result;
  try {
    result.failure = FailureOf([&] {
      Subtract(basePath, rules, outputPath, files, MemoryBudget(memoryBudget), stop, result);
    });
  } catch (const StopRequest&) {
    result.stopped = true;
  }
  return result;
}

CreateNewFileResult CreateNewFile(const std::string& baseText, const SubtractionRules& rules,
                                  std::string& newFilePath, WindowSystem& windows,
                                  FileSystem& files, std::optional<std::uint64_t> memoryBudget,
                                  const StopCheck& stop) {
  // The names are compared as the window has them, the folder's name trimmed; the list is
  // written in the folder of the base list that is read, as its name stands.
  const std::string namedPath = AddBackslash(PathInfo(baseText, 4, windows)) + "MailNew.txt";
  newFilePath = FolderOf(baseText) + "MailNew.txt";
  CreateNewFileResult result;
  std::vector<std::string> names = {baseText, namedPath};
  for (const ExclusionFile& file : rules.exclusions) names.push_back(file.path);
  if (!rules.removedPath.empty()) names.push_back(rules.removedPath);
  // The list written, however spelled, is none of the others.
  const bool outputIsAnInput =
      std::any_of(names.begin() + 2, names.end(),
                  [&](const std::string& name) { return SameFile(newFilePath, name, files); }) ||
      SameFile(newFilePath, baseText, files);
  if (TwoNamesForOneFile(names, files) || outputIsAnInput) {
    windows.ShowMessage(kEqualNames, kMessageNoIcon);
    return result;
  }
  if (!files.FindPlainFile(baseText)) {
    windows.ShowMessage(kMissingBase, kMessageInformation);
    return result;
  }
  for (const ExclusionFile& file : rules.exclusions) {
    if (!files.FindPlainFile(file.path)) {
      windows.ShowMessage(file.kind == KeyKind::kDomain ? kMissingDomains : kMissingExclusion,
                          kMessageInformation);
      return result;
    }
  }
  {
    BusyPointer busy(windows);
    result.subtraction = SubtractLists(baseText, rules, newFilePath, files, memoryBudget, stop);
  }
  result.outcome = result.subtraction.completed ? CreateNewFileOutcome::kCompleted
                   : result.subtraction.stopped ? CreateNewFileOutcome::kStopped
                                                : CreateNewFileOutcome::kFailed;
  return result;
}

}  // namespace ondrel
