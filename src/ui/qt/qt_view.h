// A window's controls built by Qt from its table, and the view of them by control name
// through which the shared handlers read and set them.
#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "ui/shared/controls.h"
#include "ui/shared/view.h"

class QMenuBar;
class QObject;
class QWidget;

namespace ondrel::ui {

class QtView : public View {
 public:
  // The view of `window`, whose controls stand on `client` (the window itself or its
  // central widget).
  explicit QtView(QWidget& window) : window_(&window) {}

  // Builds the controls of `form` on `client`, shifted right by its side room, in the table's
  // order (the order in which they are drawn over one another), their captions fitted.
  void BuildControls(QWidget* client, const FormSpec& form);
  // Builds the menus of `form` in `bar`.
  void BuildMenus(QMenuBar& bar, const FormSpec& form);
  // Sets the tab order of `form` and gives its first control the focus.
  void SetTabOrder(const FormSpec& form);
  // Sends every click on a button, image, menu item and every selection of an option to
  // `click`, with the control's name.
  void WireClicks(std::function<void(std::string_view)> click);

  // The control or menu item `name`.
  QObject* Control(std::string_view name) const;

  std::string Text(std::string_view control) const override;
  void SetText(std::string_view control, std::string_view text) override;
  bool CaptionFits(std::string_view control, std::string_view text) const override;
  void SetToolTip(std::string_view control, std::string_view text) override;
  int Value(std::string_view control) const override;
  void SetEnabled(std::string_view control, bool enabled) override;
  std::string FocusedControl() const override;
  void SetFocus(std::string_view control) override;
  void SetWindowCaption(std::string_view caption) override;
  OwnerHandle Owner() const override { return window_; }

 private:
  QWidget* Widget(std::string_view name) const;

  QWidget* window_;
  std::map<std::string, QPointer<QObject>, std::less<>> controls_;
};

}  // namespace ondrel::ui
