#include "engine/extraction_run.h"

#include <optional>
#include <string>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/file_search.h"
#include "common/line_writer.h"
#include "common/path_rules.h"
#include "common/paths.h"
#include "engine/harvest.h"
#include "engine/sources_file.h"

namespace ondrel {
namespace {

constexpr std::string_view kSameFolders =
    "Non e` possibile creare il file di output nella stessa cartella contenente i files da cui "
    "estrarre le mail";
constexpr std::string_view kScanFolderMissing = "Il percorso per la scansione non esiste";
constexpr std::string_view kOutputFolderMissing =
    "Il percorso dove scrivere il file con le mail estratte non esiste";
constexpr std::string_view kSourcesOverOutput =
    "Il file delle provenienze non puo` essere il file con le mail estratte (MailOut.txt)";

// The separator is added before the spaces are trimmed, so a trailing space typed in a box
// stays inside the path.
std::string NormalisedFolder(const std::string& text) {
  const std::string with_separator = AddBackslash(text);
  return FoldFolderCase(std::string(TrimSpaces(with_separator)));
}

// Shown instead of the summary when the final elimination did not complete: the output holds
// what the run wrote, unsorted, and no count of a sorted list exists.
void SummariseUnsorted(const RunCounters& counters, WindowSystem& windows) {
  windows.SetCaption(StatusLabel::kMail,
                     "Elaborazione finita senza eliminazione dei doppi: il file di output non e` "
                     "ordinato");
  windows.SetCaption(StatusLabel::kRes, "Trovati: " + std::to_string(counters.AddressesFound));
}

// The run from the opening of the output file on; a failure is thrown to the caller's
// failure path.
void HarvestAndSummarise(std::string& scanFolder, const std::string& outputFile,
                         const std::int16_t& fileKind, int append, RunCounters& counters,
                         WindowSystem& windows, const HarvestOptions& options, RunResult& result) {
  // Made first, so that a place where it cannot be written is found before MailOut.txt is.
  std::optional<SourcesFile> sources;
  if (!options.sourcesPath.empty()) sources.emplace(options.sourcesPath, *options.files);
  FileIdentity written;
  {
    LineWriter output(
        OpenOutputFile(outputFile, append != 0 ? WriteMode::kAppend : WriteMode::kReplace,
                       *options.files),
        outputFile, *options.files);
    written = output.Identity();
    WindowProgress progress(windows);
    ScanState state(fileKind, progress, *options.files, written);
    try {
      HarvestTree(scanFolder, state, output, counters.AddressesFound, options.jobs,
                  sources ? &sources->Table() : nullptr);
    } catch (...) {
      result.skippedFiles = std::move(state.skipped);
      throw;
    }
    result.skippedFiles = std::move(state.skipped);
    output.Close();
  }
  // Another program (the duplicates tool in another window, for one) may have put a new
  // file in its place meanwhile; eliminating duplicates there would lose that file's lines.
  if (IdentityIfAny(*options.files, outputFile) != written) {
    throw Failure(kFailureFileChanged, "Il file \"" + outputFile +
                                           "\" e` stato sostituito durante l'elaborazione; i "
                                           "doppi non sono stati eliminati");
  }
  if (sources) {
    // A stop asked for before the table replaces its file leaves the file as it was.
    windows.Yield();
    sources->Commit();
    result.sourcesWritten = true;
  }
  windows.SetCaption(StatusLabel::kMail, "Eliminazione doppi");
  windows.Yield();
  // Appended to, the list holds what earlier runs left on disk, which its replacement must
  // not put at risk; written anew, all of it is this run's, not on disk yet either.
  result.elimination =
      RemoveDuplicates(outputFile, counters.TotalLines, counters.DuplicatesRemoved, windows,
                       append != 0 ? ListFlush::kBeforeReplacing : ListFlush::kNotNeeded, written,
                       *options.files, options.memoryBudget);
  // A MailOut.txt that the elimination does not find (on Windows one marked hidden or system)
  // is left as the run wrote it, not counted as an empty list.
  if (result.elimination.outcome == EliminationOutcome::kStopped ||
      result.elimination.outcome == EliminationOutcome::kFailed ||
      (result.elimination.outcome == EliminationOutcome::kNoList &&
       !options.files->FindPlainFile(outputFile))) {
    SummariseUnsorted(counters, windows);
    return;
  }
  // The lines the list holds now: a line "*" is dropped though not counted as a duplicate.
  windows.SetCaption(StatusLabel::kMail, "Fine elaborazione. Totale indirizzi:" +
                                             std::to_string(result.elimination.linesWritten));
  windows.SetCaption(StatusLabel::kRes,
                     "Trovati: " + std::to_string(counters.AddressesFound) +
                         "   Doppi: " + std::to_string(counters.DuplicatesRemoved) + "   Nuovi: " +
                         std::to_string(CheckedSub<std::int64_t>(counters.AddressesFound,
                                                                 counters.DuplicatesRemoved)));
}

}  // namespace

RunResult RunExtraction(const std::string& scanText, const std::string& outputText,
                        const std::int16_t& fileKind, int append, RunCounters& counters,
                        WindowSystem& windows, const HarvestOptions& options) {
  RunResult result;
  counters = RunCounters{};
  std::string scan_folder = NormalisedFolder(scanText);
  const std::string output_folder = NormalisedFolder(outputText);

  // Only the first failing check is reported; an empty box is an empty path, which is found
  // nowhere.
  std::optional<std::string_view> refusal;
  if (scan_folder == output_folder) {
    refusal = kSameFolders;
  } else if (options.files->TestPath(scan_folder) != kPathFound) {
    refusal = kScanFolderMissing;
  } else if (options.files->TestPath(output_folder) != kPathFound) {
    refusal = kOutputFolderMissing;
  } else if (!options.sourcesPath.empty() &&
             WouldWriteOver(options.sourcesPath, output_folder + "MailOut.txt", *options.files)) {
    refusal = kSourcesOverOutput;
  }
  if (refusal) {
    windows.ShowMessage(*refusal, kMessageInformation);
    result.outcome = RunOutcome::kRefused;
    return result;
  }

  windows.SetBusyPointer(true);
  result.outcome = RunOutcome::kCompleted;
  result.outputPath = output_folder + "MailOut.txt";
  try {
    if (const auto failure = FailureOf([&] {
          HarvestAndSummarise(scan_folder, result.outputPath, fileKind, append, counters, windows,
                              options, result);
        })) {
      result.outcome = RunOutcome::kFailed;
      result.failure = failure;
    }
  } catch (const StopRequest&) {
    result.outcome = RunOutcome::kStopped;
  }
  windows.SetBusyPointer(false);
  return result;
}

}  // namespace ondrel
