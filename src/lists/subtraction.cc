#include "lists/subtraction.h"

#include <array>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/line_writer.h"
#include "common/paths.h"
#include "common/text_reader.h"
#include "common/whole_file.h"
#include "lists/buffer_lines.h"
#include "lists/line_set.h"

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

// Hands every trimmed line of `text` with its hash to `use`, in order, a batch at a time:
// the slots of a whole batch are asked for before the first is looked up, so that the
// waits for memory overlap.
template <typename Use>
void ForEachTrimmedLine(std::string_view text, const LineSet& set, Use use) {
  constexpr std::size_t kBatch = 16;
  std::array<std::string_view, kBatch> lines;
  std::array<std::uint64_t, kBatch> hashes;
  BufferLines split(text);
  std::string_view line;
  for (std::size_t count = kBatch; count == kBatch;) {
    for (count = 0; count < kBatch && split.Next(line); ++count) {
      lines[count] = TrimSpaces(line);
      hashes[count] = set.HashOf(lines[count]);
      set.Prefetch(hashes[count]);
    }
    for (std::size_t i = 0; i < count; ++i) use(lines[i], hashes[i]);
  }
}

// The subtraction itself; a failure is thrown to the caller.
void Subtract(const std::string& basePath, const std::string& exclusionPath,
              const std::string& outputPath, FileSystem& files, SubtractionResult& result) {
  const WholeFile exclusion = ReadWholeFile(exclusionPath, 0, files);
  result.exclusionLines = ListLineCount(CountLines(exclusion.Text()), exclusionPath);
  LineSet exclusionTable(exclusion.Text(), static_cast<std::size_t>(result.exclusionLines));
  ForEachTrimmedLine(
      exclusion.Text(), exclusionTable,
      [&](std::string_view line, std::uint64_t hash) { exclusionTable.Insert(line, hash); });

  TextFileReader base(basePath, TextFileReader::kBlockSize, files);
  if (OutputIsAnInput(basePath, exclusionPath, outputPath, files))
    throw Failure(kFailureBadPath, "\"" + outputPath + "\" e` uno degli elenchi da leggere");
  LineWriter output(OpenOutputFile(outputPath, WriteMode::kReplace, files), outputPath, files);
  result.outputWritten = true;
  std::string_view chunk;
  while (base.NextLines(chunk)) {
    ForEachTrimmedLine(chunk, exclusionTable, [&](std::string_view line, std::uint64_t hash) {
      ++result.baseLinesRead;
      if (exclusionTable.Contains(line, hash)) return;
      output.WriteLine(line);
      ++result.linesWritten;
    });
  }
  output.Close();
  result.completed = true;
}

}  // namespace

// The exclusion list is read once, whole; its trimmed lines are looked up in a hash set of
// views into that one buffer. The base list is streamed and never held.
SubtractionResult SubtractLists(const std::string& basePath, const std::string& exclusionPath,
                                const std::string& outputPath, FileSystem& files) {
  SubtractionResult result;
  result.failure = FailureOf([&] { Subtract(basePath, exclusionPath, outputPath, files, result); });
  return result;
}

CreateNewFileResult CreateNewFile(const std::string& baseText, const std::string& exclusionText,
                                  std::string& newFilePath, WindowSystem& windows,
                                  FileSystem& files) {
  newFilePath = AddBackslash(PathInfo(baseText, 4, windows)) + "MailNew.txt";
  CreateNewFileResult result;
  if (baseText == exclusionText || newFilePath == exclusionText || newFilePath == baseText ||
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
    result.subtraction = SubtractLists(baseText, exclusionText, newFilePath, files);
  }
  result.outcome = result.subtraction.completed ? CreateNewFileOutcome::kCompleted
                                                : CreateNewFileOutcome::kFailed;
  return result;
}

}  // namespace ondrel
