#include "cli/console_progress_dialog.h"

#include <algorithm>

#include "cli/console_window_system.h"

namespace ondrel::cli {
namespace {

constexpr int kMaxBarColumns = 50;
constexpr int kMinBarColumnsBesideTitle = 10;

int TitleColumns() {
  return static_cast<int>(ConsoleProgressDialog::kTitle.size()) + 1;
}

bool RoomForTitle(int width) {
  return width >= TitleColumns() + kMinBarColumnsBesideTitle;
}

int BarColumns(int width) {
  return std::clamp(RoomForTitle(width) ? width - TitleColumns() : width, 1, kMaxBarColumns);
}

}  // namespace

ConsoleProgressDialog::ConsoleProgressDialog(ConsoleWindowSystem& owner, int width, bool colours)
    : owner_(owner), withTitle_(RoomForTitle(width)), picture_(BarColumns(width), colours) {
  owner_.AttachDialog(*this);
}

ConsoleProgressDialog::~ConsoleProgressDialog() {
  owner_.DetachDialog();
}

int ConsoleProgressDialog::Render(std::string& out) const {
  if (withTitle_) {
    out += kTitle;
    out += ' ';
  }
  picture_.Render(out);
  return (withTitle_ ? TitleColumns() : 0) + picture_.Columns();
}

}  // namespace ondrel::cli
