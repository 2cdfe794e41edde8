#include "cli/commands.h"

#include <algorithm>
#include <string>
#include <thread>

#include "cli/interrupt_as_stop.h"
#include "cli/progress_text.h"
#include "common/failure.h"
#include "engine/extraction_run.h"
#include "lists/hash_list.h"
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

// `detail` follows the removed count.
std::string CountsLine(std::string_view removedLabel, std::int64_t read, std::int64_t removed,
                       std::int64_t written, std::string_view detail = {}) {
  return "Righe lette: " + std::to_string(read) + "   " + std::string(removedLabel) + ": " +
         std::to_string(removed) + std::string(detail) + "   Scritte: " + std::to_string(written);
}

// What a failed list tool left of its output.
std::string OutputLeft(const std::string& path, bool written) {
  return path + (written ? " e` incompleto." : " non e` stato creato ne' modificato.");
}

// Prints `line` on standard output; says so on standard error when it cannot (a full disk).
bool Print(ConsoleWindowSystem& console, const std::string& line) {
  if (console.PrintResult(line)) return true;
  ShowError(console, "Impossibile scrivere i risultati su standard output");
  return false;
}

int DoneWhenPrinted(ConsoleWindowSystem& console, const std::string& line) {
  return Print(console, line) ? kExitDone : kExitFailed;
}

// Says on standard error when the rewritten list at `path` could not keep its owner.
void ReportOwnership(const std::string& path, const KeptOwnership& kept,
                     ConsoleWindowSystem& console) {
  if (kept.owner) return;
  console.ShowMessage("Il file \"" + path +
                          "\" riscritto appartiene ora a chi lo ha riscritto: il proprietario di "
                          "prima non poteva essere mantenuto" +
                          (kept.group ? ", il gruppo si`." : ", e nemmeno il gruppo."),
                      kMessageInformation);
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
      // The failure of a replaced list says what the list holds.
      ShowError(console, FailureLine("Eliminazione doppi non riuscita", *result.failure) +
                             (result.listReplaced ? "" : std::string(kUnchanged)));
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
  options.memoryBudget = arguments.memoryBudget;
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
      ShowError(console, "Elaborazione interrotta su richiesta." + std::string(kOutputUnsorted) +
                             (result.sourcesWritten
                                  ? " " + arguments.sourcesPath + " e` stato scritto per intero."
                                  : std::string()));
      return kExitFailed;
    case RunOutcome::kCompleted:
      break;
  }
  const bool unsorted = ReportUnsortedOutput(result.elimination, console);
  ReportOwnership(result.outputPath, result.elimination.ownership, console);
  bool printed = Print(console, console.Caption(StatusLabel::kMail)) &&
                 Print(console, console.Caption(StatusLabel::kRes));
  if (!result.skippedFiles.empty()) {
    printed =
        printed && Print(console, "File non letti: " + std::to_string(result.skippedFiles.size()));
  }
  if (!printed || unsorted) return kExitFailed;
  return result.skippedFiles.empty() ? kExitDone : kExitIncomplete;
}

int Dedupe(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  const std::string& list = arguments.operands[0];
  // The desktop tool quietly does nothing for a missing list; a command must say so.
  if (!files.FindPlainFile(list)) {
    const auto status = StatusIfAny(files, list);
    ShowError(console, status && status->type != FileType::kRegular
                           ? "Il file da ordinare non e` un file normale"
                           : "Il file da ordinare non esiste");
    return kExitFailed;
  }
  std::int64_t totalLines = 0, duplicatesRemoved = 0;
  // From here on a stop signal is "Annulla", also before the dialog shows.
  InterruptAsStop interrupt;
  const EliminationResult result =
      RemoveDuplicates(list, totalLines, duplicatesRemoved, console, ListFlush::kBeforeReplacing,
                       {}, files, arguments.memoryBudget);
  if (!EliminationSucceeded(result, console)) return kExitFailed;
  ReportOwnership(list, result.ownership, console);
  return DoneWhenPrinted(console,
                         CountsLine("Doppi", totalLines, duplicatesRemoved, result.linesWritten));
}

// "N righe di FILE non sono FORM" and the like, for the lines of an exclusion file that have
// no key of its rule.
std::string FormOfKeys(KeyKind kind, bool plural) {
  if (kind == KeyKind::kDomain) return plural ? "domini" : "un dominio";
  const std::string digits = kind == KeyKind::kMd5 ? "32" : "64";
  return std::string(plural ? "digest " : "un digest ") +
         std::string(DigestName(*DigestOfKeys(kind))) + " (" + digits + " cifre esadecimali)";
}

// Says which lines of the exclusion files exclude nothing for not being of their rule's form.
void ReportUnfitLines(const SubtractionRules& rules, const SubtractionResult& result,
                      ConsoleWindowSystem& console) {
  for (std::size_t r = 0; r < result.exclusions.size(); ++r) {
    const ExclusionReport& report = result.exclusions[r];
    if (report.unfit == 0) continue;
    const bool one = report.unfit == 1;
    console.ShowMessage(
        std::to_string(report.unfit) + (one ? " riga di " : " righe di ") +
            rules.exclusions[r].path + (one ? " non e` " : " non sono ") +
            FormOfKeys(rules.exclusions[r].kind, !one) +
            (one ? " e non esclude nulla: e`" : " e non escludono nulla: la prima e`") +
            " la riga " + std::to_string(report.firstUnfit),
        kMessageInformation);
  }
}

// Names the exclusion file none of whose lines is of its rule's form.
std::string NoKeysMessage(const SubtractionRules& rules, const SubtractionResult& result) {
  for (std::size_t r = 0; r < result.exclusions.size(); ++r) {
    const ExclusionReport& report = result.exclusions[r];
    const KeyKind kind = rules.exclusions[r].kind;
    if (KeysHaveAForm(kind) && report.unfit == report.lines)
      return "Nessuna riga di " + rules.exclusions[r].path + " e` " + FormOfKeys(kind, false) +
             " (righe lette: " + std::to_string(report.lines) + ").";
  }
  return {};
}

// The closing line; with more than one rule, with what each removed.
std::string SubtractionCounts(const SubtractionRules& rules, const SubtractionResult& result) {
  std::string detail;
  if (rules.exclusions.size() > 1) {
    for (std::size_t r = 0; r < rules.exclusions.size(); ++r) {
      const KeyKind kind = rules.exclusions[r].kind;
      detail += (r == 0 ? " (" : ", ") +
                std::string(kind == KeyKind::kDomain ? "domini"
                            : DigestOfKeys(kind)     ? "digest"
                                                     : "elenco") +
                ": " + std::to_string(result.exclusions[r].removed);
    }
    detail += ")";
  }
  return CountsLine("Esclusi", result.baseLinesRead, result.baseLinesRead - result.linesWritten,
                    result.linesWritten, detail);
}

SubtractionRules RulesOf(const Arguments& arguments) {
  SubtractionRules rules;
  if (arguments.operands.size() == 2) {
    KeyKind kind = arguments.ignoreCase ? KeyKind::kIgnoreCase : KeyKind::kExact;
    if (arguments.digest)
      kind = *arguments.digest == DigestKind::kMd5 ? KeyKind::kMd5 : KeyKind::kSha256;
    rules.exclusions.push_back({arguments.operands[1], kind});
  }
  if (!arguments.domainsPath.empty())
    rules.exclusions.push_back({arguments.domainsPath, KeyKind::kDomain});
  rules.removedPath = arguments.removedPath;
  return rules;
}

// What a failed subtraction left of its outputs.
std::string OutputsLeft(const std::string& newFilePath, const SubtractionRules& rules,
                        bool written) {
  if (rules.removedPath.empty()) return OutputLeft(newFilePath, written);
  // One of the two may have been made, empty, before the other was refused.
  return written
             ? newFilePath + " e " + rules.removedPath + " sono incompleti."
             : "Nulla e` stato scritto in " + newFilePath + " ne' in " + rules.removedPath + ".";
}

int Subtract(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  const SubtractionRules rules = RulesOf(arguments);
  std::string newFilePath;
  // A stop signal ends the subtraction between two blocks of lines, so that its temporary
  // files go with it.
  InterruptAsStop interrupt;
  const CreateNewFileResult result =
      CreateNewFile(arguments.operands[0], rules, newFilePath, console, files,
                    arguments.memoryBudget, [&interrupt] { return interrupt.Requested(); });
  const SubtractionResult& counts = result.subtraction;
  switch (result.outcome) {
    case CreateNewFileOutcome::kRefused:  // its message is on standard error already
      return kExitFailed;
    case CreateNewFileOutcome::kStopped:
      ShowError(console, "Sottrazione interrotta su richiesta. " +
                             OutputsLeft(newFilePath, rules, counts.outputWritten));
      return kExitFailed;
    case CreateNewFileOutcome::kFailed:
      if (counts.noKeys) {
        ShowError(console,
                  NoKeysMessage(rules, counts) + " " + OutputsLeft(newFilePath, rules, false));
        return kExitUsage;
      }
      ShowError(console, FailureLine("Sottrazione non riuscita", *counts.failure) + " " +
                             OutputsLeft(newFilePath, rules, counts.outputWritten));
      return kExitFailed;
    case CreateNewFileOutcome::kCompleted:
      break;
  }
  ReportUnfitLines(rules, counts, console);
  return DoneWhenPrinted(console, SubtractionCounts(rules, counts));
}

int Hash(const Arguments& arguments, ConsoleWindowSystem& console, FileSystem& files) {
  const std::string &list = arguments.operands[0], &output = arguments.operands[1];
  if (!files.FindPlainFile(list)) {
    ShowError(console, "Il file dell'elenco non esiste");
    return kExitFailed;
  }
  const HashListResult result = HashList(list, output, *arguments.digest, files);
  if (!result.completed) {
    ShowError(console, FailureLine("Calcolo dei digest non riuscito", *result.failure) + " " +
                           OutputLeft(output, result.outputWritten));
    return kExitFailed;
  }
  return DoneWhenPrinted(console, "Righe lette: " + std::to_string(result.linesRead) +
                                      "   Scritte: " + std::to_string(result.linesWritten));
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
    case Command::kHash:
      return Hash(arguments, console, files);
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
