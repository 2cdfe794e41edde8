#include "ui/shared/f_sottrai_handlers.h"

#include "lists/subtraction.h"
#include "ui/shared/controls.h"
#include "ui/shared/failure_report.h"
#include "ui/shared/shell.h"

namespace ondrel::ui {

FSottraiHandlers::FSottraiHandlers(View& view, Desktop& desktop, WindowSystem& windows)
    : view_(view), desktop_(desktop), windows_(windows) {
  dlg_.DialogTitle = "Indica file";
}

void FSottraiHandlers::Click(std::string_view name) {
  if (const int index = IndexIn(name, "cmdSfoglia"); index >= 0)
    cmdSfoglia_Click(index);
  else if (name == "cmdSub")
    cmdSub_Click();
  else if (name == "imgHelp")
    imgHelp_Click();
}

void FSottraiHandlers::cmdSfoglia_Click(int index) {
  if (!dlg_.ShowOpen(view_.Owner(), desktop_)) return;
  const std::string chosen = dlg_.TrimmedFileName();
  if (!chosen.empty()) view_.SetText(Indexed("txtFile", index), chosen);
}

void FSottraiHandlers::cmdSub_Click() {
  const CreateNewFileResult result =
      CreateNewFile(view_.Text("txtFile(0)"), view_.Text("txtFile(1)"), NewFilePath, windows_);
  if (result.outcome == CreateNewFileOutcome::kFailed) {
    // The failure may have come before MailNew.txt was opened: then it was not touched.
    ReportFailure(windows_,
                  result.subtraction.outputWritten
                      ? "Sottrazione interrotta: MailNew.txt contiene solo le righe scritte fino "
                        "all'errore."
                      : "Sottrazione non riuscita: MailNew.txt non \xC3\xA8 stato creato n\xC3\xA9 "
                        "modificato.",
                  *result.subtraction.failure);
  }
}

void FSottraiHandlers::imgHelp_Click() {
  OpenDocument(HelpPagePath(windows_.Facts().folder, "sottrai.htm"), desktop_);
}

void FSottraiHandlers::SetWorking(bool working) {
  view_.SetEnabled("cmdSub", !working);
}

}  // namespace ondrel::ui
