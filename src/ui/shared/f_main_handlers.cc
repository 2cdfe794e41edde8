#include "ui/shared/f_main_handlers.h"

#include "lists/remove_duplicates.h"
#include "ui/shared/controls.h"
#include "ui/shared/f_sottrai_handlers.h"
#include "ui/shared/failure_report.h"
#include "ui/shared/shell.h"

namespace ondrel::ui {

std::string MainCaption(const ProgramFacts& facts) {
  return facts.title + " " + std::to_string(facts.major) + "." + std::to_string(facts.minor) + "." +
         std::to_string(facts.revision);
}

// Marks the window as working for the life of one run or elimination. The controls are
// greyed only when the work begins, after the checks that may refuse it; on every way out
// the last captions show, the controls come back and the focus returns where it was.
class FMainHandlers::WorkScope {
 public:
  explicit WorkScope(FMainHandlers& window)
      : window_(window), focus_(window.view_.FocusedControl()) {
    window_.working_ = true;
    window_.hooks_.BeforeWork([this] {
      greyed_ = true;
      window_.SetWorking(true);
    });
  }
  ~WorkScope() {
    window_.hooks_.BeforeWork({});
    window_.hooks_.ApplyCaptions();
    window_.working_ = false;
    window_.hooks_.ClearStop();
    if (greyed_) window_.SetWorking(false);
    if (!focus_.empty()) window_.view_.SetFocus(focus_);
    if (window_.closeRequested_) window_.host_.CloseMainWindowLater();
  }
  WorkScope(const WorkScope&) = delete;
  WorkScope& operator=(const WorkScope&) = delete;

 private:
  FMainHandlers& window_;
  std::string focus_;
  bool greyed_ = false;
};

FMainHandlers::FMainHandlers(View& view, FMainHost& host, Desktop& desktop, WindowSystem& windows,
                             WorkHooks& hooks)
    : view_(view), host_(host), desktop_(desktop), windows_(windows), hooks_(hooks) {}

void FMainHandlers::Form_Load() {
  host_.PlaceForm();
  view_.SetWindowCaption(MainCaption(windows_.Facts()));
}

void FMainHandlers::Click(std::string_view name) {
  if (const int index = IndexIn(name, "cmdSfoglia"); index >= 0)
    cmdSfoglia_Click(index);
  else if (const int kind = IndexIn(name, "optKindF"); kind >= 0)
    optKindF_Click(kind);
  else if (const int logo = IndexIn(name, "Image1"); logo >= 0)
    Image1_Click(logo);
  else if (name == "cmdExtract")
    cmdExtract_Click();
  else if (name == "imgHelp")
    imgHelp_Click();
  else if (name == "mnuFileExit")
    mnuFileExit_Click();
  else if (name == "mnuStruSub")
    mnuStruSub_Click();
  else if (name == "mnuStruDbl")
    mnuStruDbl_Click();
}

void FMainHandlers::SetWorking(bool working) {
  for (const char* control :
       {"cmdExtract", "txtPath(0)", "txtPath(1)", "cmdSfoglia(0)", "cmdSfoglia(1)", "mnuFile",
        "mnuFileExit", "mnuStru", "mnuStruSub", "mnuStruDbl"}) {
    view_.SetEnabled(control, !working);
  }
  if (FSottraiHandlers* sottrai = host_.Subtraction()) sottrai->SetWorking(working);
}

void FMainHandlers::cmdSfoglia_Click(int index) {
  const std::string path =
      BrowseForFolder(view_.Owner(), "Scelta percorso", kBrowseOnlyFileSystemFolders, desktop_);
  if (!path.empty()) view_.SetText(Indexed("txtPath", index), path);
}

void FMainHandlers::cmdExtract_Click() {
  if (working_) return;
  WorkScope work(*this);
  const RunResult result = RunExtraction(view_.Text("txtPath(0)"), view_.Text("txtPath(1)"),
                                         FileKind, view_.Value("chkApp"), Counters, windows_);
  hooks_.ApplyCaptions();
  if (result.outcome == RunOutcome::kFailed) {
    ReportFailure(windows_,
                  "Estrazione interrotta: il file di output contiene solo gli "
                  "indirizzi scritti fino all'errore.",
                  *result.failure);
  } else if (result.elimination.outcome == EliminationOutcome::kFailed) {
    ReportFailure(windows_,
                  "Eliminazione doppi non riuscita: MailOut.txt contiene gli indirizzi trovati, "
                  "ma non \xC3\xA8 ordinato.",
                  *result.elimination.failure);
  }
  ReportSkippedFiles(result.skippedFiles);
}

void FMainHandlers::ReportSkippedFiles(const std::vector<SkippedFile>& skipped) {
  if (skipped.empty()) return;
  constexpr std::size_t kNamesShown = 5;
  std::string text = "File non letti: " + std::to_string(skipped.size()) +
                     ". I loro indirizzi mancano in MailOut.txt.\n";
  for (std::size_t i = 0; i < skipped.size() && i < kNamesShown; ++i)
    text += "\n" + skipped[i].path + " (" + skipped[i].reason + ")";
  if (skipped.size() > kNamesShown) text += "\n...";
  windows_.ShowMessage(text, kMessageInformation);
}

void FMainHandlers::optKindF_Click(int index) {
  FileKind = static_cast<std::int16_t>(index);
}

void FMainHandlers::imgHelp_Click() {
  OpenDocument(HelpPagePath(windows_.Facts().folder, "help.htm"), desktop_);
}

void FMainHandlers::Image1_Click(int) {
  OpenWebSite(desktop_);
}

void FMainHandlers::mnuFileExit_Click() {
  host_.CloseMainWindow();
}

void FMainHandlers::mnuStruSub_Click() {
  host_.ShowSubtraction();
}

void FMainHandlers::mnuStruDbl_Click() {
  if (working_) return;
  dlg_.DialogTitle = "Eliminazione doppi";
  if (!dlg_.ShowOpen(view_.Owner(), desktop_)) return;
  const std::string path = dlg_.TrimmedFileName();
  if (path.empty()) return;
  WorkScope work(*this);
  const EliminationResult result =
      RemoveDuplicates(path, Counters.TotalLines, Counters.DuplicatesRemoved, windows_);
  if (result.outcome == EliminationOutcome::kFailed) {
    ReportFailure(windows_,
                  result.listReplaced
                      ? "Eliminazione doppi non riuscita."
                      : "Eliminazione doppi non riuscita: il file \xC3\xA8 rimasto com'era.",
                  *result.failure);
  }
}

bool FMainHandlers::Form_QueryUnload() {
  // An elimination stops at its next step, as with "Annulla", leaving its list as it was;
  // a run first finishes reading its files.
  if (working_) {
    if (!closeRequested_) {
      closeRequested_ = true;
      hooks_.RequestStop();
      windows_.SetCaption(StatusLabel::kRes, "Chiusura al termine dell'elaborazione...");
    }
    return false;
  }
  host_.CloseSubtraction();
  return true;
}

}  // namespace ondrel::ui
