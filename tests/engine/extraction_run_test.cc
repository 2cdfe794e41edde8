#include "engine/extraction_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/failure_fields.h"
#include "common/faulty_file_system.h"
#include "common/generated_lists.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel {
namespace {

using testing::RecordingWindowSystem;
using testing::ScratchFolder;

constexpr const char* kSameFolders =
    "Non e` possibile creare il file di output nella stessa cartella contenente i files da cui "
    "estrarre le mail";
constexpr const char* kScanMissing = "Il percorso per la scansione non esiste";
constexpr const char* kOutputMissing =
    "Il percorso dove scrivere il file con le mail estratte non esiste";

struct Extraction {
  RunResult Extract(const std::string& scan, const std::string& output, int append = 0) {
    HarvestOptions options;
    options.files = &files;
    return RunExtraction(scan, output, kind, append, counters, windows, options);
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& caption : windows.captions)
      if (caption.label == StatusLabel::kMail) shown.push_back(caption.text);
    return shown;
  }
  std::string Folder(const std::string& relative) const {
    std::filesystem::create_directories(scratch / relative);
    return scratch / relative;
  }

  ScratchFolder scratch;
  RecordingWindowSystem windows;
  std::int16_t kind = kKindTextFiles;
  RunCounters counters{5, 6, 7};
  testing::FaultyFileSystem files;
};

TEST(RunExtraction, RefusesABadPairOfFoldersWithTheFirstFailingCheck) {
  Extraction r;
  const std::string scan = r.Folder("scan"), out = r.Folder("out");
  const std::string a_file = r.scratch.Write("out/file.txt", "");
  const struct {
    std::string scan, output;
    const char* message;
  } cases[] = {
      {scan, scan + kPathSeparator, kSameFolders},
      {"  " + scan, scan + kPathSeparator, kSameFolders},
      {"", "", kSameFolders},
      {r.scratch / "missing", r.scratch / "missing too", kScanMissing},
      {"", out, kScanMissing},
      {scan + " ", out, kScanMissing},  // the space stays inside the path
      {scan, "", kOutputMissing},
      {scan, r.scratch / "missing", kOutputMissing},
      {scan, a_file, kOutputMissing},
  };
  for (const auto& c : cases) {
    Extraction run;
    run.counters = {5, 6, 7};
    EXPECT_EQ(run.Extract(c.scan, c.output).outcome, RunOutcome::kRefused);
    ASSERT_EQ(run.windows.messages.size(), 1u) << c.scan << "|" << c.output;
    EXPECT_EQ(run.windows.messages[0].text, c.message) << c.scan << "|" << c.output;
    EXPECT_EQ(run.windows.messages[0].style, kMessageInformation);
    EXPECT_EQ(run.windows.messages[0].title, "");
    EXPECT_TRUE(run.windows.busyCalls.empty());
    EXPECT_TRUE(run.windows.captions.empty());
    EXPECT_EQ(
        run.counters.AddressesFound + run.counters.TotalLines + run.counters.DuplicatesRemoved, 0);
  }
  EXPECT_FALSE(std::filesystem::exists(out + "/MailOut.txt"));
}

// Where the file system ignores letter case (Windows), C:\Dati and c:\dati\ are one folder and
// are refused as such; elsewhere they are two folders, here both missing.
TEST(RunExtraction, ComparesFoldersWithoutRegardToCaseWhereTheFileSystemDoes) {
  Extraction literal;
  EXPECT_EQ(literal.Extract("C:\\Dati", "c:\\dati\\").outcome, RunOutcome::kRefused);
  ASSERT_EQ(literal.windows.messages.size(), 1u);
  EXPECT_EQ(literal.windows.messages[0].text, kWindowsPlatform ? kSameFolders : kScanMissing);

  Extraction r;
  const std::string upper = r.Folder("Dati");
  std::string lower = upper;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(r.Extract(upper, lower + kPathSeparator).outcome, RunOutcome::kRefused);
  ASSERT_EQ(r.windows.messages.size(), 1u);
  EXPECT_EQ(r.windows.messages[0].text, kWindowsPlatform ? kSameFolders : kOutputMissing);
}

// Paths past 260 characters, the old limit of Windows, are walked, read and written; a file
// whose lines end with a lone CR (old Macintosh files) gives each line's address.
TEST(RunExtraction, WalksPathsLongerThan260CharactersAndReadsCrOnlyLines) {
  Extraction r;
  std::string deep = "scan";
  while (deep.size() < 300) deep += "/una-cartella-dal-nome-lungo";
  r.scratch.Write(deep + "/vecchio.txt", "primo@example.com\rsecondo@example.com\r");
  const std::string out = r.Folder(deep.substr(0, deep.find('/', 200)) + "/out");
  ASSERT_GT(out.size(), 260u);
  EXPECT_EQ(r.Extract(r.scratch / "scan", out).outcome, RunOutcome::kCompleted);
  EXPECT_EQ(r.counters.AddressesFound, 2);
  EXPECT_EQ(ScratchFolder::Read(out + kPathSeparator + "MailOut.txt"),
            "primo@example.com\r\nsecondo@example.com\r\n");
}

TEST(RunExtraction, ScansAFolderWhoseNameEndsInTheSpaceTyped) {
  Extraction r;
  // Made through the path that keeps the space, which Windows would drop from a plain one.
  const std::filesystem::path folder = testing::FsPath(testing::LiteralPath(r.scratch / "dir "));
  std::filesystem::create_directory(folder);
  std::ofstream(folder / "a.txt") << "a@b";
  EXPECT_EQ(r.Extract(r.scratch / "dir ", r.Folder("out")).outcome, RunOutcome::kCompleted);
  EXPECT_EQ(r.counters.AddressesFound, 1);
}

TEST(RunExtraction, EmptiesTheOutputAndSumsUpNothingWhenNoFileIsOfTheKind) {
  Extraction r;
  r.scratch.Write("scan/page.htm", "a@b");
  r.scratch.Write("out/MailOut.txt", "old@x\r\n");
  const RunResult result = r.Extract(r.scratch / "scan", r.scratch / "out");
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(ScratchFolder::Read(r.scratch / "out/MailOut.txt"), "");
  EXPECT_EQ(r.Shown(), (std::vector<std::string>{"Eliminazione doppi",
                                                 "Fine elaborazione. Totale indirizzi:0"}));
  EXPECT_EQ(r.windows.Caption(StatusLabel::kRes), "Trovati: 0   Doppi: 0   Nuovi: 0");
  EXPECT_EQ(r.windows.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(r.windows.messages.empty());
}

TEST(RunExtraction, AppendsAndSumsUpFoundDuplicateAndNewAddresses) {
  Extraction r;
  std::string old_lines, found;
  for (int i = 0; i < 20; ++i) old_lines += "old" + std::to_string(i + 10) + "@x\r\n";
  old_lines += "*\r\n";  // dropped, not a duplicate: the total is of the lines left
  for (int i = 0; i < 10; ++i) found += (i < 3 ? "old" : "new") + std::to_string(i + 10) + "@x ";
  r.scratch.Write("out/MailOut.txt", old_lines);
  r.scratch.Write("scan/a.txt", found);
  const RunResult result = r.Extract(r.scratch / "scan", r.scratch / "out", 1);
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(result.elimination.outcome, EliminationOutcome::kCompleted);
  EXPECT_EQ(r.windows.Caption(StatusLabel::kMail), "Fine elaborazione. Totale indirizzi:27");
  EXPECT_EQ(r.windows.Caption(StatusLabel::kRes), "Trovati: 10   Doppi: 3   Nuovi: 7");
}

TEST(RunExtraction, NeverFeedsItsOwnOutputBackWhenItLiesInTheScannedTree) {
  Extraction r;
  const std::string output = r.scratch.Write("scan/out/MailOut.txt", "old@x\r\n");
  r.scratch.Write("scan/a.txt", "new@x");
  testing::MakeSymbolicLink(output, r.scratch / "scan/soft.txt");
  EXPECT_EQ(r.Extract(r.scratch / "scan", r.scratch / "scan/out", 1).outcome,
            RunOutcome::kCompleted);
  EXPECT_EQ(r.counters.AddressesFound, 1);
  EXPECT_EQ(r.Shown().front(), "new@x");
}

TEST(RunExtraction, GoesOnPastAFileThatVanishes) {
  Extraction r;
  const std::string gone = r.scratch.Write("scan/gone.txt", "a@b");
  r.scratch.Write("scan/sub/kept.txt", "c@d");
  r.windows.onYield = [&] {
    if (r.windows.Caption(StatusLabel::kProc) == "Analisi di: gone.txt")
      std::filesystem::remove(gone);
  };
  EXPECT_EQ(r.Extract(r.scratch / "scan", r.Folder("out")).outcome, RunOutcome::kCompleted);
  EXPECT_EQ(r.counters.AddressesFound, 1);
}

// A failure path: output closed with what was written, busy pointer off, no message, no summary.
void ExpectFailurePath(const Extraction& r, const RunResult& result, std::int32_t number) {
  EXPECT_EQ(result.outcome, RunOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(result.failure), number);
  EXPECT_FALSE(testing::DescriptionOf(result.failure).empty());
  EXPECT_EQ(result.elimination.outcome, EliminationOutcome::kNotRun);
  EXPECT_EQ(r.windows.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(r.windows.messages.empty());
  EXPECT_EQ(r.windows.Caption(StatusLabel::kRes), "");
  const auto shown = r.Shown();
  EXPECT_EQ(std::find(shown.begin(), shown.end(), "Eliminazione doppi"), shown.end());
}

// In a folder another user may write, MailOut.txt may be planted as a link to one of the
// user's files, or as a pipe that would block the run for ever.
TEST(RunExtraction, RefusesAnOutputNameThatIsNoPlainFileAndTouchesNothing) {
  const struct {
    const char* what;
    // False where the platform has no such thing (Windows: links, pipes, devices).
    bool (*plant)(const std::string& output, const std::string& victim);
  } cases[] = {
      {"link",
       [](const std::string& o, const std::string& v) { return testing::MakeSymbolicLink(v, o); }},
      {"dangling link",
       [](const std::string& o, const std::string& v) {
         return testing::MakeSymbolicLink(v + ".new", o);
       }},
      {"pipe", [](const std::string& o, const std::string&) { return testing::MakeFifo(o); }},
      {"hard link",
       [](const std::string& o, const std::string& v) { return testing::MakeHardLink(v, o); }},
      {"device", [](const std::string& o,
                    const std::string&) { return testing::MakeSymbolicLink("/dev/full", o); }},
  };
  for (const int append : {0, 1}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (append != 0 ? ", appending" : ""));
      Extraction r;
      r.scratch.Write("scan/a.txt", "a@b");
      const std::string victim = r.scratch.Write("victim.txt", "precious\r\n");
      if (!c.plant(r.Folder("out") + kPathSeparator + "MailOut.txt", victim)) continue;
      const RunResult result = r.Extract(r.scratch / "scan", r.scratch / "out", append);
      ExpectFailurePath(r, result, kFailureBadPath);
      EXPECT_EQ(ScratchFolder::Read(victim), "precious\r\n");
      EXPECT_FALSE(std::filesystem::exists(victim + ".new"));
    }
  }
}

// The duplicates tool run on MailOut.txt from another window replaces it meanwhile: the run
// must not eliminate duplicates in a file that is not the one it wrote.
TEST(RunExtraction, FailsWhenItsOutputWasReplacedMeanwhileAndLeavesTheNewFile) {
  for (const char* moment : {"Analisi di: b.txt", "Eliminazione doppi"}) {
    SCOPED_TRACE(moment);
    Extraction r;
    r.scratch.Write("scan/a.txt", "a@b.org");
    r.scratch.Write("scan/b.txt", "c@d.org");
    const std::string out = r.Folder("out");
    bool attempted = false, replaced = false;
    r.windows.onYield = [&] {
      const bool due = r.windows.Caption(StatusLabel::kProc) == moment ||
                       r.windows.Caption(StatusLabel::kMail) == moment;
      if (attempted || !due) return;
      attempted = true;
      std::error_code error;
      std::filesystem::rename(testing::FsPath(r.scratch.Write("other.txt", "z@z\r\ny@y\r\n")),
                              testing::FsPath(out + kPathSeparator + "MailOut.txt"), error);
      replaced = !error;
    };
    const RunResult result = r.Extract(r.scratch / "scan", out);
    ASSERT_TRUE(attempted);
    // Windows does not let a file the run holds open be renamed over.
    if (!replaced && kWindowsPlatform) continue;
    ASSERT_TRUE(replaced);
    const std::int32_t number = result.outcome == RunOutcome::kFailed
                                    ? testing::NumberOf(result.failure)
                                    : testing::NumberOf(result.elimination.failure);
    EXPECT_EQ(number, kFailureFileChanged);
    EXPECT_NE(result.elimination.outcome, EliminationOutcome::kCompleted);
    EXPECT_EQ(ScratchFolder::Read(out + "/MailOut.txt"), "z@z\r\ny@y\r\n");
    EXPECT_EQ(r.windows.Caption(StatusLabel::kMail).find("Fine elaborazione"), std::string::npos);
  }
}

// A front end's stop (a console's Ctrl-C) ends the run at a yield: what was written is whole
// lines, and no summary of a sorted list is shown.
TEST(RunExtraction, AStopRequestEndsTheRunWithWholeLines) {
  Extraction r;
  r.scratch.Write("scan/a.txt", "a1@b.org a2@b.org a3@b.org a4@b.org");
  int yields = 0;
  r.windows.onYield = [&] {
    if (++yields == 4) throw StopRequest{};
  };
  const RunResult result = r.Extract(r.scratch / "scan", r.Folder("out"));
  EXPECT_EQ(result.outcome, RunOutcome::kStopped);
  EXPECT_EQ(ScratchFolder::Read(r.scratch / "out/MailOut.txt"), "a1@b.org\r\na2@b.org\r\n");
  EXPECT_EQ(r.windows.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(r.windows.Caption(StatusLabel::kRes), "");
}

TEST(RunExtraction, FailsAfterTheFilesOfTheHundredthLevelKeepingWhatItWrote) {
  Extraction r;
  std::string relative = "scan/";
  for (int level = 1; level <= 101; ++level) {
    relative += "d/";
    r.scratch.Write(relative + "a.txt", std::to_string(level) + "@x");
  }
  ExpectFailurePath(r, r.Extract(r.scratch / "scan", r.Folder("out")), kFailureDepthLimit);
  EXPECT_EQ(r.counters.AddressesFound, 100);
  const std::string written = ScratchFolder::Read(r.scratch / "out/MailOut.txt");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 100);
  EXPECT_NE(written.find("100@x\r\n"), std::string::npos);
}

// A disk that fills up while the sorted copy of MailOut.txt is written: the run's own list
// stays as it was harvested, and no temporary file is left beside it.
TEST(RunExtraction, AFullDiskDuringTheEliminationKeepsTheHarvestedList) {
  Extraction r;
  r.scratch.Write("scan/a.txt", testing::UnorderedAddresses(2000, " "));  // about 40 KiB listed
  r.files.FillAfter(60000);  // the list fits, not twice
  const RunResult result = r.Extract(r.scratch / "scan", r.Folder("out"));
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(result.elimination.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(result.elimination.failure), kFailureNoSpace);
  std::string harvested;
  for (const std::string& address : r.Shown())
    if (address.find('@') != std::string::npos) harvested += address + "\r\n";
  EXPECT_EQ(ScratchFolder::Read(r.scratch / "out/MailOut.txt"), harvested);
  EXPECT_EQ(testing::NamesIn(r.scratch / "out"), std::vector<std::string>{"MailOut.txt"});
}

// A disk that fills up while harvesting: what MailOut.txt held before stays, and it ends with
// the whole lines that fitted, in the order they were shown.
TEST(RunExtraction, AFullDiskWhileHarvestingKeepsTheEarlierListAndWholeLines) {
  Extraction r;
  const std::string earlier = "earlier@x.org\r\nolder@x.org\r\n";
  r.scratch.Write("out/MailOut.txt", earlier);
  r.scratch.Write("scan/a.txt", testing::UnorderedAddresses(10000, " "));
  r.files.FillAfter(std::size_t{1} << 16);
  const RunResult result = r.Extract(r.scratch / "scan", r.scratch / "out", 1);
  EXPECT_EQ(result.outcome, RunOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(result.failure), kFailureNoSpace);
  EXPECT_EQ(result.elimination.outcome, EliminationOutcome::kNotRun);
  const std::string written = ScratchFolder::Read(r.scratch / "out/MailOut.txt");
  ASSERT_GT(written.size(), earlier.size());
  EXPECT_EQ(written.substr(0, earlier.size()), earlier);
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  std::string shown;
  for (const std::string& address : r.Shown()) shown += address + "\r\n";
  EXPECT_EQ(written.substr(earlier.size()), shown.substr(0, written.size() - earlier.size()));
}

// An output folder made read-only during the run: the harvested list stays as it was
// written, unsorted, and nothing is left beside it.
TEST(RunExtraction, AnOutputFolderMadeReadOnlyMidRunKeepsTheHarvestedList) {
  Extraction r;
  r.scratch.Write("scan/a.txt", "z@z a@a z@z");
  const std::string out = r.Folder("out");
  r.windows.onYield = [&] { r.files.MakeReadOnly(out + kPathSeparator); };
  const RunResult result = r.Extract(r.scratch / "scan", out);
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(result.elimination.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(result.elimination.failure), kFailureAccessDenied);
  EXPECT_EQ(ScratchFolder::Read(r.scratch / "out/MailOut.txt"), "z@z\r\na@a\r\nz@z\r\n");
  EXPECT_EQ(testing::NamesIn(out), std::vector<std::string>{"MailOut.txt"});
}

}  // namespace
}  // namespace ondrel
