#include "ui/qt/qt_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "ui/qt/clickable_image.h"
#include "ui/qt/form_style.h"
#include "ui/qt/picture_box_widget.h"
#include "ui/qt/pictures.h"
#include "ui/qt/text_codec.h"
#include "ui/qt/twips.h"

namespace ondrel::ui {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPixmap PictureOf(Picture picture) {
  switch (picture) {
    case Picture::kLogo:
      return LogoPicture();
    case Picture::kWordmark:
      return WordmarkPicture();
    case Picture::kQuestionMark:
      return QuestionMarkPicture();
    case Picture::kNone:
      break;
  }
  return QPixmap();
}

QWidget* BuildControl(QWidget* client, const ControlSpec& spec, int sideRoom) {
  const char* name = spec.name.data();  // the tables' names are literals
  const QString caption = FromView(spec.caption);
  const Place& at = spec.place;
  const int left = sideRoom + at.left;
  switch (spec.kind) {
    case ControlKind::kLabel: {
      QLabel* label = AddLabel(client, name, caption, left, at.top, at.width, at.height);
      if (spec.points != kDefaultPoints || spec.bold)
        label->setFont(SansSerifFont(spec.points, spec.bold));
      if (spec.centred) label->setAlignment(Qt::AlignCenter);
      label->setWordWrap(spec.wordWrap);
      if (spec.back != kNoColour) SetBackground(*label, spec.back);
      if (spec.fore != kNoColour) SetTextColour(*label, spec.fore);
      return label;
    }
    case ControlKind::kTextBox:
      return AddTextBox(client, name, left, at.top, at.width, at.height);
    case ControlKind::kButton:
      return AddGraphicalButton(client, name, caption, spec.back, left, at.top, at.width,
                                at.height);
    case ControlKind::kOption:
    case ControlKind::kCheckBox: {
      QAbstractButton* box = spec.kind == ControlKind::kOption
                                 ? static_cast<QAbstractButton*>(new QRadioButton(caption, client))
                                 : new QCheckBox(caption, client);
      box->setObjectName(QString::fromLatin1(name));
      box->setGeometry(TwipsRect(left, at.top, at.width, at.height));
      box->setChecked(spec.value == 1);
      return box;
    }
    case ControlKind::kImage: {
      auto* image =
          new ClickableImage(client, name, PictureOf(spec.picture),
                             spec.handPointer ? HandPointer() : QCursor(), FromView(spec.toolTip));
      image->setGeometry(TwipsRect(left, at.top, at.width, at.height));
      return image;
    }
    case ControlKind::kLine: {
      auto* line = new QFrame(client);
      line->setObjectName(QString::fromLatin1(name));
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      line->setGeometry(TwipsRect(left, at.top, at.width, at.height));
      return line;
    }
    case ControlKind::kPictureBox: {
      const QRect place = TwipsRect(left, at.top, at.width, at.height);
      auto* box = new PictureBoxWidget(client, place.size());
      box->setObjectName(QString::fromLatin1(name));
      box->move(place.topLeft());
      return box;
    }
  }
  return nullptr;
}

}  // namespace

void QtView::BuildControls(QWidget* client, const FormSpec& form) {
  for (const ControlSpec& spec : form.controls) {
    QWidget* control = BuildControl(client, spec, form.sideRoom);
    controls_.emplace(std::string(spec.name), control);
    if (!spec.caption.empty()) FitCaption(*control, spec, form.sideRoom);
  }
}

void QtView::BuildMenus(QMenuBar& bar, const FormSpec& form) {
  std::map<std::string_view, QMenu*> dropDowns;
  for (const MenuSpec& item : form.menus) {
    const QString caption = FromView(item.caption);
    const QString name = QString::fromLatin1(item.name.data());
    if (item.parent.empty()) {
      QMenu* menu = bar.addMenu(caption);
      menu->setObjectName(name);
      dropDowns[item.name] = menu;
      controls_.emplace(std::string(item.name), menu->menuAction());
    } else {
      QAction* action = dropDowns.at(item.parent)->addAction(caption);
      action->setObjectName(name);
      controls_.emplace(std::string(item.name), action);
    }
  }
}

void QtView::SetTabOrder(const FormSpec& form) {
  for (std::size_t i = 1; i < form.tabOrder.size(); ++i)
    QWidget::setTabOrder(Widget(form.tabOrder[i - 1]), Widget(form.tabOrder[i]));
  if (!form.tabOrder.empty()) Widget(form.tabOrder.front())->setFocus();
}

void QtView::WireClicks(std::function<void(std::string_view)> click) {
  for (const auto& [name, control] : controls_) {
    const std::string key = name;
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
      QObject::connect(option, &QRadioButton::toggled, window_, [click, key](bool checked) {
        if (checked) click(key);
      });
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      QObject::connect(button, &QPushButton::clicked, window_, [click, key] { click(key); });
    } else if (auto* image = qobject_cast<ClickableImage*>(control)) {
      QObject::connect(image, &ClickableImage::clicked, window_, [click, key] { click(key); });
    } else if (auto* action = qobject_cast<QAction*>(control); action && !action->menu()) {
      QObject::connect(action, &QAction::triggered, window_, [click, key] { click(key); });
    }
  }
}

QObject* QtView::Control(std::string_view name) const {
  const auto found = controls_.find(name);
  if (found == controls_.end() || found->second.isNull())
    qFatal("no control named %.*s", static_cast<int>(name.size()), name.data());
  return found->second;
}

QWidget* QtView::Widget(std::string_view name) const {
  return qobject_cast<QWidget*>(Control(name));
}

std::string QtView::Text(std::string_view control) const {
  QObject* object = Control(control);
  if (auto* box = qobject_cast<QLineEdit*>(object)) return ToBytes(box->text());
  if (auto* label = qobject_cast<QLabel*>(object)) return ToBytes(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return ToBytes(button->text());
  return {};
}

void QtView::SetText(std::string_view control, std::string_view text) {
  QObject* object = Control(control);
  if (auto* box = qobject_cast<QLineEdit*>(object))
    box->setText(ToQString(text));
  else if (auto* label = qobject_cast<QLabel*>(object))
    label->setText(ToQString(text));
  else if (auto* button = qobject_cast<QAbstractButton*>(object))
    button->setText(ToQString(text));
}

bool QtView::CaptionFits(std::string_view control, std::string_view text) const {
  const auto* label = qobject_cast<const QLabel*>(Control(control));
  return label == nullptr || label->fontMetrics().horizontalAdvance(ToQString(text)) <=
                                 label->contentsRect().width() - 2 * label->margin();
}

void QtView::SetToolTip(std::string_view control, std::string_view text) {
  if (auto* widget = Widget(control)) widget->setToolTip(ToQString(text));
}

int QtView::Value(std::string_view control) const {
  QObject* object = Control(control);
  if (auto* box = qobject_cast<QCheckBox*>(object)) {
    switch (box->checkState()) {
      case Qt::Checked:
        return 1;
      case Qt::PartiallyChecked:
        return 2;
      default:
        return 0;
    }
  }
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->isChecked() ? 1 : 0;
  return 0;
}

void QtView::SetEnabled(std::string_view control, bool enabled) {
  QObject* object = Control(control);
  if (auto* action = qobject_cast<QAction*>(object))
    action->setEnabled(enabled);
  else if (auto* widget = qobject_cast<QWidget*>(object))
    widget->setEnabled(enabled);
}

std::string QtView::FocusedControl() const {
  const QWidget* focus = window_->focusWidget();
  if (focus == nullptr) return {};
  for (const auto& [name, control] : controls_)
    if (control == focus) return name;
  return {};
}

void QtView::SetFocus(std::string_view control) {
  Widget(control)->setFocus();
}

void QtView::SetWindowCaption(std::string_view caption) {
  window_->setWindowTitle(ToQString(caption));
}

}  // namespace ondrel::ui
