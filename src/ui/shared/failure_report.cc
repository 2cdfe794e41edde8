#include "ui/shared/failure_report.h"

#include <string>

namespace ondrel::ui {

void ReportFailure(WindowSystem& windows, std::string_view what, std::int32_t number,
                   std::string_view description) {
  std::string text(what);
  text += "\n\nErrore ";
  text += std::to_string(number);
  text += ": ";
  text += description;
  windows.ShowMessage(text, kMessageCritical);
}

}  // namespace ondrel::ui
