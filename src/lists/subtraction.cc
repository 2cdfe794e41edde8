#include "lists/subtraction.h"

#include <new>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/file_search.h"
#include "common/line_writer.h"
#include "common/paths.h"
#include "common/platform.h"
#include "common/text_reader.h"
#include "lists/buffer_lines.h"
#include "lists/line_set.h"
#include "lists/whole_file.h"

namespace ondrel {
namespace {

constexpr const char* kEqualNames =
    "I nomi di file base, file di sottrazione e file output non possono essere uguali.";
constexpr const char* kMissingBase = "Il file base non esiste";
constexpr const char* kMissingExclusion = "Il file di sottrazione non esiste";

bool SameFile(const std::string& a, const std::string& b) {
  const auto identityA = IdentityOf(a);
  return identityA && identityA == IdentityOf(b);
}

// However the paths are spelled, and also when the output name is a link to an input.
bool OutputIsAnInput(const std::string& basePath, const std::string& exclusionPath,
                     const std::string& outputPath) {
  return SameFile(outputPath, basePath) || SameFile(outputPath, exclusionPath);
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

}  // namespace

// The exclusion list is read once, whole; its trimmed lines are looked up in a hash set of
// views into that one buffer. The base list is streamed and never held.
SubtractionResult SubtractLists(const std::string& basePath, const std::string& exclusionPath,
                                const std::string& outputPath) {
  SubtractionResult result;
  try {
    const WholeFile exclusion = ReadWholeFile(exclusionPath);
    result.exclusionLines = CheckedNarrow<std::int32_t>(CountLines(exclusion.Text()));
    LineSet exclusionTable(exclusion.Text(), static_cast<std::size_t>(result.exclusionLines));
    BufferLines exclusionLines(exclusion.Text());
    std::string_view line;
    while (exclusionLines.Next(line)) exclusionTable.Insert(TrimSpaces(line));

    TextFileReader base(basePath);
    if (OutputIsAnInput(basePath, exclusionPath, outputPath))
      throw Failure(kFailureBadPath, "\"" + outputPath + "\" is one of the lists being read");
    LineWriter output(outputPath, WriteMode::kReplace);
    while (base.NextLine(line)) {
      ++result.baseLinesRead;
      const std::string_view trimmed = TrimSpaces(line);
      if (exclusionTable.Contains(trimmed)) continue;
      output.WriteLine(trimmed);
      ++result.linesWritten;
    }
    output.Close();
    result.completed = true;
  } catch (const Failure& failure) {
    result.failureNumber = failure.Number();
    result.failureDescription = failure.Description();
  } catch (const std::bad_alloc&) {
    result.failureNumber = kFailureOutOfMemory;
    result.failureDescription = "Out of memory";
  }
  return result;
}

CreateNewFileResult CreateNewFile(const std::string& baseText, const std::string& exclusionText,
                                  std::string& newFilePath, WindowSystem& windows) {
  newFilePath = AddBackslash(PathInfo(baseText, 4, windows)) + "MailNew.txt";
  CreateNewFileResult result;
  if (baseText == exclusionText || newFilePath == exclusionText || newFilePath == baseText ||
      SameFile(baseText, exclusionText) || OutputIsAnInput(baseText, exclusionText, newFilePath)) {
    windows.ShowMessage(kEqualNames, kMessageNoIcon);
    return result;
  }
  if (!FindPlainFile(baseText)) {
    windows.ShowMessage(kMissingBase, kMessageInformation);
    return result;
  }
  if (!FindPlainFile(exclusionText)) {
    windows.ShowMessage(kMissingExclusion, kMessageInformation);
    return result;
  }
  {
    BusyPointer busy(windows);
    result.subtraction = SubtractLists(baseText, exclusionText, newFilePath);
  }
  result.outcome = result.subtraction.completed ? CreateNewFileOutcome::kCompleted
                                                : CreateNewFileOutcome::kFailed;
  return result;
}

}  // namespace ondrel
