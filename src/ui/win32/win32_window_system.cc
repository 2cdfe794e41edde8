#include "ui/win32/win32_window_system.h"

#include <utility>

#include "ondrel/version.h"
#include "ui/shared/desktop.h"
#include "ui/shared/f_dlg_doppi_state.h"
#include "ui/shared/layouts.h"
#include "ui/shared/program_facts.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_picture_box.h"

namespace ondrel::ui {

namespace {

// FDlgDoppi on Win32: shown without an owner and without being modal; destroying it
// unloads it.
class Win32ProgressDialog : public ProgressDialog {
 public:
  // `stopRequested` is the close of the main window during the work: "Annulla" pressed for
  // the user.
  explicit Win32ProgressDialog(const bool& stopRequested)
      : stopRequested_(stopRequested),
        form_(kFDlgDoppi, nullptr, [this](std::string_view name) { state_.Click(name); }),
        picture_(form_.Control("pic(0)")) {
    form_.onDrawPicture = [this](const DRAWITEMSTRUCT& item) { picture_.Draw(item); };
    form_.onClose = [] { return false; };  // the elimination unloads it
    form_.PlaceForm();
    ShowWindow(form_.Window(), SW_SHOWNORMAL);
    UpdateWindow(form_.Window());
  }
  ~Win32ProgressDialog() override { state_.Form_Unload(); }

  PictureBox& Picture() override { return picture_; }
  bool Ferma() const override { return state_.Ferma() || stopRequested_; }

 private:
  const bool& stopRequested_;
  FDlgDoppiState state_;
  Win32Form form_;
  Win32PictureBox picture_;
};

constexpr const char* kStatusLabels[] = {"lblProc", "lblRes", "lblMail"};

}  // namespace

void Win32WindowSystem::StartWork() {
  if (beforeWork_) std::exchange(beforeWork_, {})();
}

void Win32WindowSystem::SetCaption(StatusLabel label, std::string_view text) {
  main_.SetText(kStatusLabels[static_cast<int>(label)], text);
}

void Win32WindowSystem::Dispatch(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Win32WindowSystem::Yield() {
  StartWork();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
      return;
    }
    Dispatch(message);
  }
}

void Win32WindowSystem::ShowMessage(std::string_view text, int style, std::string_view title) {
  HWND owner = GetActiveWindow();
  desktop_.ShowMessage(owner != nullptr ? owner : main_.Window(), std::string(text), style,
                       title.empty() ? std::string(kProgramTitle) : std::string(title));
}

void Win32WindowSystem::SetBusyPointer(bool busy) {
  if (busy) StartWork();
  Win32Form::SetBusy(busy);
}

void Win32WindowSystem::EndProgram() {
  // At once: no window's close handler runs; the system closes the files.
  ExitProcess(1);
}

std::unique_ptr<ProgressDialog> Win32WindowSystem::ShowProgressDialog() {
  StartWork();
  return std::make_unique<Win32ProgressDialog>(stopRequested_);
}

ProgramFacts Win32WindowSystem::Facts() const {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  const std::string full = Narrow(path);
  const std::size_t slash = full.find_last_of('\\');
  const std::string name = full.substr(slash + 1);
  return DesktopProgramFacts(full.substr(0, slash == std::string::npos ? 0 : slash),
                             name.substr(0, name.find_last_of('.')));
}

}  // namespace ondrel::ui
