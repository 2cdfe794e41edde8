#include "lists/subtraction.h"

#include <array>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/line_writer.h"
#include "common/memory_budget.h"
#include "common/path_rules.h"
#include "common/paths.h"
#include "common/text_reader.h"
#include "lists/buffer_lines.h"
#include "lists/external_subtraction.h"
#include "lists/line_set.h"
#include "lists/whole_list.h"

namespace ondrel {
namespace {

constexpr const char* kEqualNames =
    "I nomi di file base, file di sottrazione e file output non possono essere uguali.";
constexpr const char* kMissingBase = "Il file base non esiste";
constexpr const char* kMissingExclusion = "Il file di sottrazione non esiste";

bool SameFile(const std::string& a, const std::string& b, FileSystem& files) {
  const auto identityA = IdentityIfAny(files, a);
  return identityA && identityA == IdentityIfAny(files, b);
}

// However the paths are spelled, and also when the output name is a link to an input.
bool OutputIsAnInput(const std::string& basePath, const std::string& exclusionPath,
                     const std::string& outputPath, FileSystem& files) {
  return SameFile(outputPath, basePath, files) || SameFile(outputPath, exclusionPath, files);
}

class BusyPointer {
 public:
  explicit BusyPointer(WindowSystem& windows) : windows_(windows) { windows_.SetBusyPointer(true); }
  ~BusyPointer() { windows_.SetBusyPointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  WindowSystem& windows_;
};

// Hands every line of `text` with its key and the key's hash in `table` to `use`, in order, a
// batch at a time: the slots of a whole batch are asked for before the first is looked up, so
// that the waits for memory overlap.
template <typename Table, typename Use>
void ForEachKey(std::string_view text, const Table& table, Use use) {
  constexpr std::size_t kBatch = 16;
  std::array<std::string_view, kBatch> keys;
  std::array<std::uint64_t, kBatch> hashes;
  BufferLines split(text);
  std::string_view line;
  for (std::size_t count = kBatch; count == kBatch;) {
    for (count = 0; count < kBatch && split.Next(line); ++count) {
      keys[count] = SubtractionKey(line);
      hashes[count] = table.HashOf(keys[count]);
      table.Prefetch(hashes[count]);
    }
    for (std::size_t i = 0; i < count; ++i) use(keys[i], hashes[i]);
  }
}

void RefuseOutputOverInput(const std::string& basePath, const std::string& exclusionPath,
                           const std::string& outputPath, FileSystem& files) {
  if (OutputIsAnInput(basePath, exclusionPath, outputPath, files))
    throw Failure(kFailureBadPath, "\"" + outputPath + "\" e` uno degli elenchi da leggere");
}

// Streams the base list into the output, leaving out every line whose key `excluded` holds.
template <typename Exclusions>
void WriteKeptLines(const std::string& basePath, const std::string& exclusionPath,
                    const std::string& outputPath, Exclusions& excluded, FileSystem& files,
                    const StopCheck& stop, SubtractionResult& result) {
  TextFileReader base(basePath, TextFileReader::kBlockSize, files);
  RefuseOutputOverInput(basePath, exclusionPath, outputPath, files);
  LineWriter output(OpenOutputFile(outputPath, WriteMode::kReplace, files), outputPath, files);
  result.outputWritten = true;
  ForEachBlock(base, stop, [&](std::string_view block) {
    ForEachKey(block, excluded, [&](std::string_view key, std::uint64_t hash) {
      ++result.baseLinesRead;
      if (excluded.Contains(key, hash)) return;
      output.WriteLine(key);
      ++result.linesWritten;
    });
  });
  output.Close();
}

// The subtraction itself; a failure is thrown to the caller. An exclusion list that fits the
// budget is read once, whole, and its keys are looked up in a hash set of views into that one
// buffer; a larger one is worked through in buckets (external_subtraction.h). The base list
// is streamed and never held.
void Subtract(const std::string& basePath, const std::string& exclusionPath,
              const std::string& outputPath, FileSystem& files, std::uint64_t budget,
              const StopCheck& stop, SubtractionResult& result) {
  std::optional<WholeList> exclusion;
  std::optional<LineSet> exclusionTable;
  try {
    exclusion = ReadListIfItFits(exclusionPath, 0, LineSet::kBytesPerLine, budget, files);
    if (exclusion)
      exclusionTable.emplace(exclusion->file.Text(), static_cast<std::size_t>(exclusion->lines));
  } catch (const std::bad_alloc&) {
    exclusion.reset();
    budget = BudgetAfterShortage(budget);
  }
  if (exclusionTable) {
    result.exclusionLines = exclusion->lines;
    ForEachKey(
        exclusion->file.Text(), *exclusionTable,
        [&](std::string_view key, std::uint64_t hash) { exclusionTable->Insert(key, hash); });
    WriteKeptLines(basePath, exclusionPath, outputPath, *exclusionTable, files, stop, result);
  } else {
    RefuseOutputOverInput(basePath, exclusionPath, outputPath, files);
    ExcludedLines excluded(basePath, exclusionPath, outputPath, budget, files, stop);
    result.exclusionLines = excluded.ExclusionLines();
    WriteKeptLines(basePath, exclusionPath, outputPath, excluded, files, stop, result);
    excluded.RequireWholeBaseAsked();
  }
  result.completed = true;
}

}  // namespace

SubtractionResult SubtractLists(const std::string& basePath, const std::string& exclusionPath,
                                const std::string& outputPath, FileSystem& files,
                                std::optional<std::uint64_t> memoryBudget, const StopCheck& stop) {
  SubtractionResult result;
  try {
    result.failure = FailureOf([&] {
      Subtract(basePath, exclusionPath, outputPath, files, MemoryBudget(memoryBudget), stop,
               result);
    });
  } catch (const StopRequest&) {
    result.stopped = true;
  }
  return result;
}

CreateNewFileResult CreateNewFile(const std::string& baseText, const std::string& exclusionText,
                                  std::string& newFilePath, WindowSystem& windows,
                                  FileSystem& files, std::optional<std::uint64_t> memoryBudget,
                                  const StopCheck& stop) {
  // The names are compared as the window has them, the folder's name trimmed; the list is
  // written in the folder of the base list that is read, as its name stands.
  const std::string namedPath = AddBackslash(PathInfo(baseText, 4, windows)) + "MailNew.txt";
  newFilePath = FolderOf(baseText) + "MailNew.txt";
  CreateNewFileResult result;
  if (baseText == exclusionText || namedPath == exclusionText || namedPath == baseText ||
      SameFile(baseText, exclusionText, files) ||
      OutputIsAnInput(baseText, exclusionText, newFilePath, files)) {
    windows.ShowMessage(kEqualNames, kMessageNoIcon);
    return result;
  }
  if (!files.FindPlainFile(baseText)) {
    windows.ShowMessage(kMissingBase, kMessageInformation);
    return result;
  }
  if (!files.FindPlainFile(exclusionText)) {
    windows.ShowMessage(kMissingExclusion, kMessageInformation);
    return result;
  }
  {
    BusyPointer busy(windows);
    result.subtraction =
        SubtractLists(baseText, exclusionText, newFilePath, files, memoryBudget, stop);
  }
  result.outcome = result.subtraction.completed ? CreateNewFileOutcome::kCompleted
                   : result.subtraction.stopped ? CreateNewFileOutcome::kStopped
                                                : CreateNewFileOutcome::kFailed;
  return result;
}

}  // namespace ondrel
