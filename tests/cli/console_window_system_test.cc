// The console WindowSystem: where each kind of output goes, the throttled progress line,
// and the progress dialog whose "Annulla" is Ctrl-C.
#include "cli/console_window_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "cli/commands.h"
#include "common/test_files.h"
#include "lists/hgauge.h"
#include "lists/remove_duplicates.h"

namespace ondrel::cli {
namespace {

std::int64_t fakeNow = 0;
std::int64_t FakeClock() {
  return fakeNow;
}

constexpr TerminalTraits kTerminal{
    .isTerminal = true, .colours = false, .clearToEnd = true, .columns = 80};

std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::string text;
  char buffer[4096];
  ::lseek(::fileno(file), 0, SEEK_SET);
  for (ssize_t n; (n = ::read(::fileno(file), buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  return text;
}

// Built by appending: GCC 12 warns falsely about "literal" + std::string.
std::string Address(int number) {
  std::string address(1, 'm');
  address += std::to_string(number);
  address += "@example.com";
  return address;
}

int Count(const std::string& text, char c) {
  return static_cast<int>(std::count(text.begin(), text.end(), c));
}

// SIGINT ignored for the test's duration, so that a handler left behind cannot end the test.
class SigintIgnored {
 public:
  SigintIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGINT, &ignore, &previous_);
  }
  ~SigintIgnored() { ::sigaction(SIGINT, &previous_, nullptr); }
  static bool StillIgnored() {
    struct sigaction current {};
    ::sigaction(SIGINT, nullptr, &current);
    return current.sa_handler == SIG_IGN;
  }

 private:
  struct sigaction previous_ {};
};

class ConsoleWindowSystemTest : public ::testing::Test {
 protected:
  ConsoleWindowSystemTest() { fakeNow = 0; }
  ~ConsoleWindowSystemTest() override {
    std::fclose(out_);
    std::fclose(err_);
  }
  ConsoleWindowSystem Console(TerminalTraits traits) {
    return ConsoleWindowSystem(::fileno(out_), ::fileno(err_), traits, FakeClock);
  }

  std::FILE* out_ = std::tmpfile();
  std::FILE* err_ = std::tmpfile();
};

TEST_F(ConsoleWindowSystemTest, WithoutATerminalNothingButMessagesReachStandardError) {
  ConsoleWindowSystem console = Console({});
  console.SetCaption(StatusLabel::kProc, "Analisi di: a.txt");
  console.SetCaption(StatusLabel::kMail, "anna@example.com");
  for (int i = 0; i < 1000; ++i, fakeNow += 10) console.Yield();
  {
    auto dialog = console.ShowProgressDialog();
    dialog->Picture().FillRectangle(0, 0, 1000, 1, Rgb(0, 0, 255));
    for (int i = 0; i < 1000; ++i, fakeNow += 10) console.Yield();
  }
  EXPECT_EQ(Contents(err_), "");
  EXPECT_TRUE(console.PrintResult("Trovati: 1"));
  EXPECT_EQ(Contents(out_), "Trovati: 1\n");
  EXPECT_EQ(Contents(err_), "");
}

TEST_F(ConsoleWindowSystemTest, TheLineIsRepaintedAtMostOncePerTenthOfASecond) {
  ConsoleWindowSystem console = Console(kTerminal);
  console.SetCaption(StatusLabel::kProc, "Analisi di: a.txt");
  console.Yield();
  EXPECT_EQ(Contents(err_), "\rAnalisi di: a.txt\x1b[K");

  for (int i = 0; i < 1000; ++i) {
    console.SetCaption(StatusLabel::kMail, Address(i));
    console.Yield();
    fakeNow = i / 10;  // 99 ms at the end
  }
  EXPECT_EQ(Count(Contents(err_), '\r'), 1);

  fakeNow = 100;
  console.Yield();
  EXPECT_TRUE(Contents(err_).ends_with("\rAnalisi di: a.txt  m999@example.com\x1b[K"));
  EXPECT_EQ(Count(Contents(err_), '\r'), 2);
}

TEST_F(ConsoleWindowSystemTest, ResultsAndMessagesFirstClearTheLine) {
  ConsoleWindowSystem console = Console(kTerminal);
  console.SetCaption(StatusLabel::kProc, "Analisi di: a.txt");
  console.Yield();
  console.ShowMessage("Il file base non esiste", kMessageInformation);
  console.ShowMessage("Parametro mancante", kMessageCritical, "ondrel-cli-PathInfo");
  EXPECT_TRUE(console.PrintResult("Fine elaborazione. Totale indirizzi:0"));
  EXPECT_EQ(Contents(err_),
            "\rAnalisi di: a.txt\x1b[K\r\x1b[KOndrel: Il file base non esiste\n"
            "ondrel-cli-PathInfo: Parametro mancante\n");
  EXPECT_EQ(Contents(out_), "Fine elaborazione. Totale indirizzi:0\n");
}

// A file name in a message may hold terminal control bytes; they must not reach the terminal.
TEST_F(ConsoleWindowSystemTest, MessagesShowControlBytesOfNamesAsQuestionMarks) {
  ConsoleWindowSystem console = Console({});
  console.ShowMessage("File non letto: /t/a\x1b[2J\rb.txt", kMessageCritical);
  EXPECT_EQ(Contents(err_), "Ondrel: File non letto: /t/a?[2J?b.txt\n");
}

// While an extraction may be stopped, a stop signal ends it at the next yield; with the
// dialog up the signal is its "Annulla" instead.
TEST_F(ConsoleWindowSystemTest, AStopSignalEndsAnExtractionAtTheNextYield) {
  SigintIgnored guard;
  ConsoleWindowSystem console = Console({});
  InterruptAsStop interrupt;
  console.StopOnInterrupt(&interrupt);
  console.Yield();
  ::raise(SIGTERM);
  {
    auto dialog = console.ShowProgressDialog();
    EXPECT_NO_THROW(console.Yield());
    EXPECT_TRUE(dialog->Ferma());
  }
  ::raise(SIGTERM);
  EXPECT_THROW(console.Yield(), StopRequest);
  console.StopOnInterrupt(nullptr);
  EXPECT_NO_THROW(console.Yield());
}

TEST_F(ConsoleWindowSystemTest, TheDialogHoldsTheLineAndCtrlCIsItsAnnullaWhileItIsUp) {
  SigintIgnored guard;
  ConsoleWindowSystem console = Console(kTerminal);
  console.SetCaption(StatusLabel::kMail, "Eliminazione doppi");
  {
    auto dialog = console.ShowProgressDialog();
    console.Yield();
    EXPECT_TRUE(Contents(err_).starts_with("\rEliminazione doppi ed ordinamento ...."));
    EXPECT_FALSE(SigintIgnored::StillIgnored()) << "Ctrl-C is handled while the dialog is up";
    EXPECT_FALSE(dialog->Ferma());
    ::raise(SIGINT);
    EXPECT_TRUE(dialog->Ferma());
  }
  EXPECT_TRUE(Contents(err_).ends_with("\r\x1b[K")) << "the unloaded dialog leaves the line";
  EXPECT_TRUE(SigintIgnored::StillIgnored()) << "the earlier handling is back";
  EXPECT_FALSE(console.ShowProgressDialog()->Ferma()) << "a new dialog starts without a stop";
}

// A user who presses Ctrl-C a few lines into the elimination.
class InterruptingConsole : public ConsoleWindowSystem {
 public:
  using ConsoleWindowSystem::ConsoleWindowSystem;
  void Yield() override {
    ConsoleWindowSystem::Yield();
    if (++yields_ == 5) ::raise(SIGINT);
  }

 private:
  int yields_ = 0;
};

TEST_F(ConsoleWindowSystemTest, CtrlCStopsDuplicateEliminationAndTheListStaysAsItWas) {
  SigintIgnored guard;
  testing::ScratchFolder scratch;
  std::string original;
  for (int i = 0; i < 300; ++i) original += Address(i % 150) + "\r\n";
  const std::string list = scratch.Write("list.txt", original);
  InterruptingConsole console(::fileno(out_), ::fileno(err_), kTerminal, FakeClock);
  std::int64_t totalLines = 0, duplicatesRemoved = 0;

  const EliminationResult result = RemoveDuplicates(list, totalLines, duplicatesRemoved, console);

  EXPECT_EQ(result.outcome, EliminationOutcome::kStopped);
  EXPECT_EQ(testing::ScratchFolder::Read(list), original);
}

// Results that cannot be written (a full disk) make no success, and the loss is said.
TEST(ConsoleResults, AFullStandardOutputIsSaidAndIsNoSuccess) {
  testing::ScratchFolder scratch;
  Arguments arguments;
  arguments.command = Command::kDedupe;
  arguments.operands = {scratch.Write("list.txt", "b\r\na\r\n")};
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  std::FILE* err = std::tmpfile();
  {
    ConsoleWindowSystem console(full, ::fileno(err), TerminalTraits{});
    EXPECT_EQ(RunCommand(arguments, console, SystemFileSystem()), kExitFailed);
  }
  ::close(full);
  EXPECT_NE(Contents(err).find("Impossibile scrivere i risultati su standard output"),
            std::string::npos);
  std::fclose(err);
}

TEST(ConsoleWindowSystemDeathTest, EndProgramExitsWithStatusOne) {
  EXPECT_EXIT(
      {
        ConsoleWindowSystem console(STDOUT_FILENO, STDERR_FILENO, {});
        console.EndProgram();
      },
      ::testing::ExitedWithCode(1), "");
}

TEST(ConsoleWindowSystemDeathTest, AGaugeThatWasNeverSetUpEndsTheProgramWithItsMessage) {
  EXPECT_EXIT(
      {
        ConsoleWindowSystem console(STDOUT_FILENO, STDERR_FILENO, {});
        auto dialog = console.ShowProgressDialog();
        CHgauge gauge(console);
        gauge.Paint(10, dialog->Picture(), Rgb(0, 0, 255));
      },
      ::testing::ExitedWithCode(1),
      "HGauge Object: HGauge Object needs to be .Setup and Max & Min properties need to be set");
}

}  // namespace
}  // namespace ondrel::cli
