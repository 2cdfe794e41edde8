#include "cli/commands.h"

#include <algorithm>
#include <string>
#include <thread>

#include "cli/interrupt_as_stop.h"
#include "cli/progress_text.h"
#include "common/failure.h"
#include "engine/extraction_run.h"
#include "lists/remove_duplicates.h"
#include "lists/subtraction.h"
#include "ondrel/version.h"

namespace ondrel::cli {
namespace {

constexpr std::string_view kUnchanged = " Il file non e` stato modificato.";

std::string FailureLine(std::string_view what, const Failure& failure) {
  return FailureMessage(what, failure, FailureLayout::kOneLine);
}

void ShowError(ConsoleWindowSystem& console, const std::string& text) {
  console.ShowMessage(text, kMessageCritical);
}

std::string CountsLine(std::string_view removedLabel, std::int64_t read, std::int64_t removed,
                       std::int64_t written) {
  return "Righe lette: " + std::to_string(read) + "   " + std::string(removedLabel) + ": " +
         std::to_string(removed) + "   Scritte: " + std::to_string(written);
}

int DoneWhenPrinted(ConsoleWindowSystem& console, const std::string& line) {
  return console.PrintResult(line) ? kExitDone : kExitFailed;
}

// Whether duplicate elimination left a sorted, duplicate-free list; says why not otherwise.
bool EliminationSucceeded(const EliminationResult& result, ConsoleWindowSystem& console) {
  switch (result.outcome) {
    case EliminationOutcome::kCompleted:
    case EliminationOutcome::kNoList:
      return true;
    case EliminationOutcome::kStopped:
      ShowError(console, "Eliminazione doppi annullata." + std::string(kUnchanged));
      return false;
    case EliminationOutcome::kFailed:
      ShowError(console, FailureLine("Eliminazione doppi non riuscita", *result.failure) +
                             std::string(kUnchanged));
      return false;
    case EliminationOutcome::kNotRun:
      break;
  }
  ShowError(console, "Eliminazione doppi non eseguita." + std::string(kUnchanged));
  return false;
}

constexpr std::string_view kOutputUnsorted =
    " MailOut.txt contiene gli indirizzi scritti, non ordinati e con i doppi.";

// Says on standard error why the run's closing elimination left the output unsorted; false
// when it did.
bool ReportUnsortedOutput(const EliminationResult& result, ConsoleWindowSystem& console) {
  switch (result.outcome) {
    case EliminationOutcome::kStopped:
      ShowError(console, "Eliminazione doppi annullata." + std::string(kOutputUnsorted));
      return true;
    case EliminationOutcome::kFailed:
      ShowError(console, FailureLine("Eliminazione doppi non riuscita", *result.failure) +
                             std::string(kOutputUnsorted));
      return true;
    default:
      return false;
  }
}

// The cores the program may run on, capped at the most files it reads at once.
int CoreCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, kMostJobs));
}

int Extract(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  RunCounters counters;
  const std::int16_t fileKind = arguments.fileKind;
  HarvestOptions options;
  options.jobs = arguments.jobs > 0 ? arguments.jobs : CoreCount();
  options.sourcesPath = arguments.sourcesPath;
  options.files = &files;
  RunResult result;
  {
    InterruptAsStop interrupt;
    console.StopOnInterrupt(&interrupt);
    result = RunExtraction(arguments.operands[0], arguments.operands[1], fileKind,
                           arguments.append ? 1 : 0, counters, console, options);
    console.StopOnInterrupt(nullptr);
  }
  for (const SkippedFile& skipped : result.skippedFiles)
    ShowError(console, "File non letto: " + skipped.path + " (" + skipped.reason + ")");
  switch (result.outcome) {
    case RunOutcome::kRefused:  // its message is on standard error already
      return kExitFailed;
    case RunOutcome::kFailed:
      ShowError(console, FailureLine("Elaborazione interrotta", *result.failure));
      return kExitFailed;
    case RunOutcome::kStopped:
      ShowError(console, "Elaborazione interrotta su richiesta." + std::string(kOutputUnsorted));
      return kExitFailed;
    case RunOutcome::kCompleted:
      break;
  }
  const bool unsorted = ReportUnsortedOutput(result.elimination, console);
  bool printed = console.PrintResult(console.Caption(StatusLabel::kMail)) &&
                 console.PrintResult(console.Caption(StatusLabel::kRes));
  if (!result.skippedFiles.empty()) {
    printed = printed &&
              console.PrintResult("File non letti: " + std::to_string(result.skippedFiles.size()));
  }
  if (!printed || unsorted) return kExitFailed;
  return result.skippedFiles.empty() ? kExitDone : kExitIncomplete;
}

int Dedupe(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  const std::string& list = arguments.operands[0];
  // The desktop tool quietly does nothing for a missing list; a command must say so.
  if (!files.FindPlainFile(list)) {
    ShowError(console, "Il file da ordinare non esiste");
    return kExitFailed;
  }
  std::int32_t totalLines = 0, duplicatesRemoved = 0;
  // From here on a stop signal is "Annulla", also before the dialog shows.
  InterruptAsStop interrupt;
  const EliminationResult result = RemoveDuplicates(list, totalLines, duplicatesRemoved, console,
                                                    ListFlush::kBeforeReplacing, {}, files);
  if (!EliminationSucceeded(result, console)) return kExitFailed;
  return DoneWhenPrinted(console,
                         CountsLine("Doppi", totalLines, duplicatesRemoved, result.linesWritten));
}

int Subtract(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  std::string newFilePath;
  const CreateNewFileResult result =
      CreateNewFile(arguments.operands[0], arguments.operands[1], newFilePath, console, files);
  const SubtractionResult& counts = result.subtraction;
  switch (result.outcome) {
    case CreateNewFileOutcome::kRefused:  // its message is on standard error already
      return kExitFailed;
    case CreateNewFileOutcome::kFailed:
      ShowError(
          console,
          FailureLine("Sottrazione non riuscita", *counts.failure) + " " + newFilePath +
              (counts.outputWritten ? " e` incompleto." : " non e` stato creato ne' modificato."));
      return kExitFailed;
    case CreateNewFileOutcome::kCompleted:
      break;
  }
  return DoneWhenPrinted(
      console, CountsLine("Esclusi", counts.baseLinesRead,
                          counts.baseLinesRead - counts.linesWritten, counts.linesWritten));
}

}  // namespace

int RunCommand(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  switch (arguments.command) {
    case Command::kHelp:
      return DoneWhenPrinted(console, std::string(kHelpText.substr(0, kHelpText.size() - 1)));
    case Command::kVersion:
      return DoneWhenPrinted(console, std::string("ondrel-cli ") + kVersionText);
    case Command::kExtract:
      return Extract(arguments, console, files);
    case Command::kDedupe:
      return Dedupe(arguments, console, files);
    case Command::kSubtract:
      return Subtract(arguments, console, files);
  }
  return kExitUsage;
}

int ReportUsageError(const UsageError& error, int errFd) {
  // The reason may quote an argument, whose control bytes must not reach the terminal.
  const std::string text = std::string(kProgramTitle) + ": " + PrintableText(error.reason) + "\n" +
                           std::string(kUsageText) + "Per tutti i dettagli: ondrel-cli --help\n";
  WriteAll(errFd, text);
  return kExitUsage;
}

}  // namespace ondrel::cli
