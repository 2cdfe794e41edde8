#include "ui/shared/failure_report.h"

namespace ondrel::ui {

void ReportFailure(WindowSystem& windows, std::string_view what, const Failure& failure) {
  windows.ShowMessage(FailureMessage(what, failure, FailureLayout::kMessageBox), kMessageCritical);
}

}  // namespace ondrel::ui
