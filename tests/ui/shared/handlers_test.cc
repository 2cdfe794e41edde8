// The shared handlers of the three windows, run without a toolkit: a recording view, desktop,
// host and window system stand in for the windows and the user.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_rules.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "ondrel/version.h"
#include "ui/shared/f_dlg_doppi_state.h"
#include "ui/shared/f_main_handlers.h"
#include "ui/shared/f_sottrai_handlers.h"
#include "ui/shared/layouts.h"
#include "ui/shared/recording_view.h"

namespace ondrel::ui::testing {
namespace {

// A file beside the recording window system's program.
std::string ProgramFile(const std::string& name) {
  return std::string("/opt/ondrel") + kPathSeparator + name;
}

using ondrel::testing::RecordingWindowSystem;
using ondrel::testing::ScratchFolder;

class MainHandlersTest : public ::testing::Test {
 protected:
  MainHandlersTest() {
    windows.onYield = [this] { host.StartWork(); };
    view.values["optKindF(0)"] = 1;
  }

  RecordingView view;
  RecordingHost host;
  RecordingDesktop desktop;
  RecordingWindowSystem windows;
  FMainHandlers handlers{view, host, desktop, windows, host};
};

TEST_F(MainHandlersTest, LoadPlacesTheWindowAndShowsTheVersionInTheCaption) {
  windows.facts.major = 1;
  windows.facts.minor = 0;
  windows.facts.revision = 17;
  handlers.Form_Load();
  EXPECT_EQ(host.calls, std::vector<std::string>{"PlaceForm"});
  EXPECT_EQ(view.caption, "Ondrel 1.0.17");
}

TEST_F(MainHandlersTest, BrowseFillsItsOwnBoxAndCancelLeavesIt) {
  view.texts["txtPath(0)"] = "prima";
  desktop.folderAnswers = {"/dati/pagine", std::nullopt};
  handlers.Click("cmdSfoglia(1)");
  handlers.Click("cmdSfoglia(0)");
  EXPECT_EQ(view.Text("txtPath(1)"), "/dati/pagine");
  EXPECT_EQ(view.Text("txtPath(0)"), "prima");
  ASSERT_EQ(desktop.folderRequests.size(), 2u);
  for (const auto& request : desktop.folderRequests) {
    EXPECT_EQ(request.title, "Scelta percorso");
    EXPECT_EQ(request.preset, "1");  // only file-system folders
    EXPECT_EQ(request.owner, view.Owner());
  }
}

TEST_F(MainHandlersTest, PicturesAndMenusReachTheirTargets) {
  handlers.Click("imgHelp");
  handlers.Click("Image1(1)");
  handlers.Click("mnuStruSub");
  handlers.Click("mnuFileExit");
  handlers.Click("lblMail");  // a label has no click event
  std::vector<std::string> opened{"document " + ProgramFile("help.htm")};
  if (layout::kHasWebSite)
    opened.push_back(std::string("web ") + kWebSiteUrl);  // else plain pictures
  EXPECT_EQ(desktop.opened, opened);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ShowSubtraction", "CloseMainWindow"}));
}

TEST_F(MainHandlersTest, RunUsesTheChosenKindAndGreysTheWindowOnlyWhileItWorks) {
  ScratchFolder folder;
  folder.Write("scan/a.htm", "<a href=\"mailto:carla@esempio.it\">x</a> anna@esempio.it\r\n");
  folder.Write("scan/b.txt", "bruno@esempio.it anna@esempio.it\r\n");
  folder.Write("out/x", "");
  view.texts["txtPath(0)"] = folder / "scan";
  view.texts["txtPath(1)"] = folder / "out";
  view.focus = "cmdExtract";
  RecordingView subtractionView;
  FSottraiHandlers subtraction(subtractionView, desktop, windows);
  host.subtraction = &subtraction;
  std::set<std::string> greyed;
  bool sawWork = false;
  windows.onYield = [&] {
    host.StartWork();
    if (!sawWork) greyed = view.disabled;
    sawWork = true;
    greyed.merge(std::set<std::string>(subtractionView.disabled));
    EXPECT_TRUE(handlers.Working());
  };

  handlers.Click("optKindF(1)");
  EXPECT_EQ(handlers.FileKind, 1);
  view.focus = "cmdExtract";
  handlers.Click("cmdExtract");

  EXPECT_EQ(ScratchFolder::Read(folder / "out/MailOut.txt"),
            "anna@esempio.it\r\nbruno@esempio.it\r\n");
  EXPECT_EQ(windows.Caption(StatusLabel::kRes), "Trovati: 2   Doppi: 0   Nuovi: 2");
  EXPECT_EQ(greyed,
            (std::set<std::string>{"cmdExtract", "txtPath(0)", "txtPath(1)", "cmdSfoglia(0)",
                                   "cmdSfoglia(1)", "mnuFile", "mnuFileExit", "mnuStru",
                                   "mnuStruSub", "mnuStruDbl", "cmdSub"}));
  EXPECT_TRUE(view.disabled.empty());
  EXPECT_TRUE(subtractionView.disabled.empty());
  EXPECT_EQ(view.focus, "cmdExtract");
  EXPECT_FALSE(handlers.Working());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(windows.messages.empty());
}

TEST_F(MainHandlersTest, RefusedRunShowsItsMessageWithoutGreyingTheWindow) {
  ScratchFolder folder;
  view.texts["txtPath(0)"] = folder / "manca";
  view.texts["txtPath(1)"] = folder.Path();
  handlers.Click("cmdExtract");
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].text, "Il percorso per la scansione non esiste");
  EXPECT_EQ(view.enableCalls, 0);
}

TEST_F(MainHandlersTest, DuplicatesToolTrimsTheChosenNameAndRemembersIt) {
  ScratchFolder folder;
  const std::string list = folder.Write("lista.txt", "b\r\na\r\nb\r\n");
  desktop.fileAnswers = {"  " + list + " ", std::nullopt};
  handlers.Click("mnuStruDbl");
  EXPECT_EQ(ScratchFolder::Read(list), "a\r\nb\r\n");
  EXPECT_EQ(handlers.Counters.TotalLines, 3);
  EXPECT_EQ(handlers.Counters.DuplicatesRemoved, 1);
  folder.Write("lista.txt", "b\r\na\r\n");
  handlers.Click("mnuStruDbl");  // cancelled: nothing happens
  EXPECT_EQ(ScratchFolder::Read(list), "b\r\na\r\n");
  ASSERT_EQ(desktop.fileRequests.size(), 2u);
  EXPECT_EQ(desktop.fileRequests[0].title, "Eliminazione doppi");
  EXPECT_EQ(desktop.fileRequests[0].preset, "");
  EXPECT_EQ(desktop.fileRequests[1].preset, "  " + list + " ");
}

TEST_F(MainHandlersTest, CloseDuringWorkStopsFirstAndClosesAtTheEnd) {
  ScratchFolder folder;
  std::string lines;
  for (int i = 300; i > 0; --i) lines += "indirizzo" + std::to_string(i) + "@esempio.it\r\n";
  const std::string list = folder.Write("grande.txt", lines);
  bool allowedDuringWork = true;
  windows.onYield = [&] {
    host.StartWork();
    if (allowedDuringWork) allowedDuringWork = handlers.Form_QueryUnload();
    if (host.calls == std::vector<std::string>{"RequestStop"}) windows.stopRequested = true;
  };
  desktop.fileAnswers = {list};
  handlers.Click("mnuStruDbl");
  EXPECT_FALSE(allowedDuringWork);
  EXPECT_EQ(ScratchFolder::Read(list), lines);  // stopped as by "Annulla"
  EXPECT_EQ(windows.Caption(StatusLabel::kRes), "Chiusura al termine dell'elaborazione...");
  EXPECT_EQ(host.calls, (std::vector<std::string>{"RequestStop", "CloseMainWindowLater"}));
  EXPECT_TRUE(handlers.Form_QueryUnload());
  EXPECT_EQ(host.calls.back(), "CloseSubtraction");
}

class SubtractionHandlersTest : public ::testing::Test {
 protected:
  RecordingView view;
  RecordingDesktop desktop;
  RecordingWindowSystem windows;
  FSottraiHandlers handlers{view, desktop, windows};
};

TEST_F(SubtractionHandlersTest, OneFileDialogServesBothButtonsAndCancelKeepsTheBox) {
  view.texts["txtFile(1)"] = "prima.txt";
  desktop.fileAnswers = {" /liste/base.txt ", std::nullopt};
  handlers.Click("cmdSfoglia(0)");
  handlers.Click("cmdSfoglia(1)");
  EXPECT_EQ(view.Text("txtFile(0)"), "/liste/base.txt");
  EXPECT_EQ(view.Text("txtFile(1)"), "prima.txt");
  ASSERT_EQ(desktop.fileRequests.size(), 2u);
  EXPECT_EQ(desktop.fileRequests[0].title, "Indica file");
  EXPECT_EQ(desktop.fileRequests[1].preset, " /liste/base.txt ");
}

TEST_F(SubtractionHandlersTest, CreaNuovoFileSubtractsTheBoxesAndHelpOpensItsPage) {
  ScratchFolder folder;
  view.texts["txtFile(0)"] = folder.Write("base.txt", "a\r\nb\r\na\r\nc\r\n");
  view.texts["txtFile(1)"] = folder.Write("via.txt", "a\r\n");
  handlers.Click("cmdSub");
  EXPECT_EQ(handlers.NewFilePath, folder / "MailNew.txt");
  EXPECT_EQ(ScratchFolder::Read(folder / "MailNew.txt"), "b\r\nc\r\n");
  EXPECT_EQ(windows.busyCalls, (std::vector<bool>{true, false}));

  view.texts["txtFile(1)"] = view.texts["txtFile(0)"];
  handlers.Click("cmdSub");
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].text,
            "I nomi di file base, file di sottrazione e file output non possono essere uguali.");

  handlers.Click("imgHelp");
  EXPECT_EQ(desktop.opened, std::vector<std::string>{"document " + ProgramFile("sottrai.htm")});
  handlers.SetWorking(true);
  EXPECT_EQ(view.disabled, std::set<std::string>{"cmdSub"});
}

// MailNew.txt's name taken by what the subtraction must not write through: a folder, and a
// link to another file where the system lets a test make links.
TEST_F(SubtractionHandlersTest, AFailureBeforeWritingSaysMailNewWasNotTouched) {
  for (const bool link : {false, true}) {
    ScratchFolder folder;
    windows.messages.clear();
    view.texts["txtFile(0)"] = folder.Write("base.txt", "a\r\n");
    view.texts["txtFile(1)"] = folder.Write("via.txt", "b\r\n");
    const std::string victim = folder.Write("victim.txt", "precious\r\n");
    std::error_code noLinks;
    if (!link)
      std::filesystem::create_directory(folder / "MailNew.txt");
    else if (std::filesystem::create_symlink(victim, folder / "MailNew.txt", noLinks); noLinks)
      continue;
    handlers.Click("cmdSub");
    ASSERT_EQ(windows.messages.size(), 1u) << link;
    EXPECT_NE(windows.messages[0].text.find("MailNew.txt non \xC3\xA8 stato creato"),
              std::string::npos)
        << windows.messages[0].text;
    EXPECT_EQ(ScratchFolder::Read(victim), "precious\r\n");
  }
}

TEST(ProgressDialogStateTest, AnnullaAndTheCloseBoxRaiseTheStopAndUnloadClearsIt) {
  FDlgDoppiState state;
  EXPECT_FALSE(state.Ferma());
  state.Click("lblTit");
  EXPECT_FALSE(state.Ferma());
  state.Click("cmdCanc");
  state.Click("cmdCanc");
  EXPECT_TRUE(state.Ferma());
  state.Form_Unload();
  EXPECT_FALSE(state.Ferma());
  EXPECT_FALSE(state.Form_QueryUnload());  // the close box: "Annulla", the dialog stays
  EXPECT_TRUE(state.Ferma());
}

}  // namespace
}  // namespace ondrel::ui::testing
