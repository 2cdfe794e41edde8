#include "ui/qt/f_sottrai.h"

#include "ui/qt/form_style.h"
#include "ui/qt/place_form.h"
#include "ui/shared/layouts.h"

namespace ondrel::ui {

FSottrai::FSottrai(QWidget* owner, Desktop& desktop, WindowSystem& windows)
    : QWidget(owner, Qt::Dialog), view_(*this), handlers_(view_, desktop, windows) {
  setObjectName(QString::fromLatin1(kFSottrai.name.data()));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8(kFSottrai.caption.data(), kFSottrai.caption.size()));
  // A dialog-type window is the kind that window managers keep above its owner (on X11 it
  // carries the transient-for hint); it stays modeless.
  MakeFixedWindow(*this, kFSottrai, Qt::Dialog);
  SetBackground(*this, kFSottrai.back);
  view_.BuildControls(this, kFSottrai);
  view_.WireClicks([this](std::string_view name) { handlers_.Click(name); });
  view_.SetTabOrder(kFSottrai);
  PlaceForm(*this);
}

}  // namespace ondrel::ui
