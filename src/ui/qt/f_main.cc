#include "ui/qt/f_main.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

#include "ui/qt/f_sottrai.h"
#include "ui/qt/form_style.h"
#include "ui/qt/place_form.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/twips.h"
#include "ui/shared/layouts.h"

namespace ondrel::ui {

FMain::FMain(Desktop& desktop) : desktop_(desktop), view_(*this) {
  setObjectName(QString::fromLatin1(kFMain.name.data()));
  SetFixedBorder(*this, kFMain);
  setFont(SansSerifFont(kDefaultPoints));

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(TwipsToPixels(kFMain.width), TwipsToPixels(kFMain.height));
  SetBackground(*client, kFMain.back);
  setCentralWidget(client);

  view_.BuildControls(client, kFMain);
  windows_ = std::make_unique<QtWindowSystem>(view_, desktop_);
  handlers_ = std::make_unique<FMainHandlers>(view_, static_cast<FMainHost&>(*this), desktop_,
                                              *windows_, *windows_);
  view_.BuildMenus(*menuBar(), kFMain);
  view_.WireClicks([this](std::string_view name) { handlers_->Click(name); });
  view_.SetTabOrder(kFMain);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();  // the final size, so that Form_Load centres the window it will show
  handlers_->Form_Load();
}

FMain::~FMain() = default;

QtWindowSystem& FMain::Windows() {
  return *windows_;
}

void FMain::PlaceForm() {
  ui::PlaceForm(*this);
}

void FMain::CloseMainWindow() {
  close();
}

void FMain::CloseMainWindowLater() {
  QTimer::singleShot(0, this, &QWidget::close);
}

void FMain::ShowSubtraction() {
  if (sottrai_ == nullptr) {
    sottrai_ = new FSottrai(this, desktop_, *windows_);
    sottrai_->show();
  } else {
    sottrai_->show();
    sottrai_->raise();
    sottrai_->activateWindow();
  }
}

FSottraiHandlers* FMain::Subtraction() {
  return sottrai_ != nullptr ? &sottrai_->Handlers() : nullptr;
}

void FMain::CloseSubtraction() {
  if (sottrai_ != nullptr) sottrai_->close();
}

void FMain::closeEvent(QCloseEvent* event) {
  if (handlers_->Form_QueryUnload())
    event->accept();
  else
    event->ignore();
}

}  // namespace ondrel::ui
