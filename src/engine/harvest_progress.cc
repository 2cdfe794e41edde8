#include "engine/harvest_progress.h"

#include "common/paths.h"

namespace ondrel {

void WindowProgress::ShowFile(const std::string& path) {
  windows_.SetCaption(StatusLabel::kProc, "Analisi di: " + PathInfo(path, 1, windows_));
}

void WindowProgress::ShowConversion(const std::string& path) {
  windows_.SetCaption(StatusLabel::kMail, "Conversione di: " + PathInfo(path, 1, windows_));
}

void WindowProgress::ShowAddress(std::string_view address) {
  windows_.SetCaption(StatusLabel::kMail, address);
}

}  // namespace ondrel
