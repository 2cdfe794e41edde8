#include "ui/win32/win32_window_system.h"

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
  Win32ProgressDialog()
      : form_(kFDlgDoppi, nullptr, [this](std::string_view name) { state_.Click(name); }),
        picture_(form_.Control("pic(0)")) {
    form_.onDrawPicture = [this](const DRAWITEMSTRUCT& item) { picture_.Draw(item); };
    form_.onClose = [this] { return state_.Form_QueryUnload(); };
    form_.PlaceForm();
    ShowWindow(form_.Window(), SW_SHOWNORMAL);
    UpdateWindow(form_.Window());
  }
  ~Win32ProgressDialog() override { state_.Form_Unload(); }

  PictureBox& Picture() override { return picture_; }
  bool Ferma() const override { return state_.Ferma(); }

 private:
  FDlgDoppiState state_;
  Win32Form form_;
  Win32PictureBox picture_;
};

}  // namespace

void Win32WindowSystem::Dispatch(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Win32WindowSystem::HandlePendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
      return;
    }
    Dispatch(message);
  }
}

OwnerHandle Win32WindowSystem::MessageOwner() const {
  HWND active = GetActiveWindow();
  return active != nullptr ? active : main_.Window();
}

void Win32WindowSystem::EndProgram() {
  // At once: no window's close handler runs; the system closes the files.
  ExitProcess(1);
}

std::unique_ptr<ProgressDialog> Win32WindowSystem::OpenProgressDialog() {
  return std::make_unique<Win32ProgressDialog>();
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
