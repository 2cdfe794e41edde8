// The widgets Qt builds for each window against the window's table: kind, caption, place,
// face, colours, pictures, start values, tab order and menus, one control at a time.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>

#include "ui/qt/clickable_image.h"
#include "ui/qt/f_dlg_doppi.h"
#include "ui/qt/f_main.h"
#include "ui/qt/form_style.h"
#include "ui/qt/picture_box_widget.h"
#include "ui/qt/twips.h"
#include "ui/scripted_desktop.h"
#include "ui/shared/caption_fit.h"
#include "ui/shared/layouts.h"
#include "ui/ui_test_registry.h"
#include "ui/window_driver.h"

namespace ondrel::ui::testing {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool HasKind(const QWidget& widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return qobject_cast<const QLabel*>(&widget) && !qobject_cast<const ClickableImage*>(&widget);
    case ControlKind::kTextBox:
      return qobject_cast<const QLineEdit*>(&widget) != nullptr;
    case ControlKind::kButton:
      return qobject_cast<const QPushButton*>(&widget) != nullptr;
    case ControlKind::kOption:
      return qobject_cast<const QRadioButton*>(&widget) != nullptr;
    case ControlKind::kCheckBox:
      return qobject_cast<const QCheckBox*>(&widget) != nullptr;
    case ControlKind::kImage:
      return qobject_cast<const ClickableImage*>(&widget) != nullptr;
    case ControlKind::kPictureBox:
      return qobject_cast<const PictureBoxWidget*>(&widget) != nullptr;
    case ControlKind::kLine:
      return qobject_cast<const QFrame*>(&widget) != nullptr;
  }
  return false;
}

QString CaptionOf(const QWidget& widget) {
  if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  return QString();
}

// The control shows its caption whole (caption_fit.h): at its place and face, or grown on
// its line within its room, or in a smaller face.
void ExpectCaptionFits(const QWidget& widget, const ControlSpec& spec, int sideRoom) {
  const QString name = Q(spec.name);
  const QRect place =
      TwipsRect(sideRoom + spec.place.left, spec.place.top, spec.place.width, spec.place.height);
  const QRect shown = widget.geometry();
  if (spec.caption.empty() || (shown == place && widget.font().pointSizeF() == spec.points)) {
    QCOMPARE(shown, place);
    return;
  }
  const int roomRight =
      sideRoom +
      (spec.captionRoomRight != 0 ? spec.captionRoomRight : spec.place.left + spec.place.width);
  QVERIFY2(shown.left() >= TwipsToPixels(sideRoom) && shown.right() < TwipsToPixels(roomRight),
           qPrintable(name));
  QVERIFY2(qAbs(shown.center().y() - place.center().y()) <= 1, qPrintable(name));
  QVERIFY2(widget.font().pointSizeF() >= kSmallestPoints, qPrintable(name));
  QCOMPARE(widget.font().bold(), spec.bold);
  if (auto* button = qobject_cast<const QPushButton*>(&widget)) {
    QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < shown.width(),
             qPrintable(name));
  } else if (spec.wordWrap) {
    QVERIFY2(widget.heightForWidth(shown.width()) <= shown.height(), qPrintable(name));
  } else {
    QVERIFY2(widget.sizeHint().width() <= shown.width(), qPrintable(name));
    QVERIFY2(widget.sizeHint().height() <= shown.height(), qPrintable(name));
  }
}

// Compares every control of `form` on `window` with its row of the table.
void CompareWithTable(const QWidget& window, const FormSpec& form) {
  for (const ControlSpec& spec : form.controls) {
    const QString name = Q(spec.name);
    const QWidget* widget = Find(window, name);
    QVERIFY2(HasKind(*widget, spec.kind), qPrintable(name));
    if (spec.kind != ControlKind::kImage) QCOMPARE(CaptionOf(*widget), Q(spec.caption));
    ExpectCaptionFits(*widget, spec, form.sideRoom);
    if (spec.kind == ControlKind::kButton) {
      QVERIFY(widget->styleSheet().contains(ToQColor(spec.back).name()));
    } else if (spec.back != kNoColour) {
      QCOMPARE(widget->palette().color(QPalette::Window), ToQColor(spec.back));
    }
    if (spec.fore != kNoColour)
      QCOMPARE(widget->palette().color(QPalette::WindowText), ToQColor(spec.fore));
    if (auto* label = qobject_cast<const QLabel*>(widget); label && !spec.caption.empty()) {
      QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), spec.centred);
      QCOMPARE(label->wordWrap(), spec.wordWrap);
    }
    if (spec.kind == ControlKind::kImage) {
      QCOMPARE(widget->toolTip(), Q(spec.toolTip));
      QVERIFY(!qobject_cast<const QLabel*>(widget)->pixmap().isNull());
      QCOMPARE(widget->cursor().shape() == Qt::BitmapCursor, spec.handPointer);
    }
    if (auto* box = qobject_cast<const QAbstractButton*>(widget); box && box->isCheckable())
      QCOMPARE(box->isChecked(), spec.value == 1);
  }
  QStringList order;
  for (std::string_view name : form.tabOrder) order << Q(name);
  QCOMPARE(TabOrder(Find(window, order.front()), order.size()), order);
  QCOMPARE(window.focusWidget(), Find(window, order.front()));
  for (const MenuSpec& item : form.menus) {
    if (item.parent.empty()) {
      QCOMPARE(Find<QMenu>(window, Q(item.name))->title(), Q(item.caption));
    } else {
      const QAction* action = Find<QAction>(window, Q(item.name));
      QCOMPARE(action->text(), Q(item.caption));
      QVERIFY(Find<QMenu>(window, Q(item.parent))->actions().contains(action));
    }
  }
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowsAreBuiltFromTheirTables() {
    ScriptedDesktop desktop;
    FMain main(desktop);
    main.show();
    QCOMPARE(Find(main, QStringLiteral("client"))->size(),
             QSize(TwipsToPixels(kFMain.width), TwipsToPixels(kFMain.height)));
    CompareWithTable(main, kFMain);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(main.menuBar()->actions().size(), 2);

    Choose(main, QStringLiteral("mnuStruSub"));
    QWidget* sottrai = TopLevel(QStringLiteral("FSottrai"));
    QVERIFY(sottrai != nullptr);
    QCOMPARE(sottrai->size(),
             QSize(TwipsToPixels(kFSottrai.width), TwipsToPixels(kFSottrai.height)));
    QCOMPARE(sottrai->palette().color(QPalette::Window), ToQColor(kFSottrai.back));
    QCOMPARE(sottrai->windowTitle(), Q(kFSottrai.caption));
    CompareWithTable(*sottrai, kFSottrai);
    if (QTest::currentTestFailed()) return;

    FDlgDoppi dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), Q(kFDlgDoppi.caption));
    QCOMPARE(dialog.height(), TwipsToPixels(kFDlgDoppi.height));
    QCOMPARE(dialog.palette().color(QPalette::Window), ToQColor(kFDlgDoppi.back));
    CompareWithTable(dialog, kFDlgDoppi);
    for (const QWidget* window : std::initializer_list<const QWidget*>{&main, sottrai, &dialog})
      QVERIFY(!window->windowIcon().isNull());  // the program's icon in every title bar
  }

  // Tab visits the stops of the shared description, one per option group; Enter presses the
  // button that has the focus.
  void KeyboardFollowsTheDescription() {
    for (const FormSpec* form : kAllForms) {
      QWidget window;
      QtView view(window);
      view.BuildControls(&window, *form);
      QStringList clicks;
      view.WireClicks([&](std::string_view name) { clicks << Q(name); });
      view.SetTabOrder(*form);
      window.show();
      QApplication::setActiveWindow(&window);
      QStringList visited, stops;
      for (std::string_view name : TabStops(*form)) {
        stops << Q(name);
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      QCOMPARE(visited, stops);
      QCOMPARE(QApplication::focusWidget()->objectName(), stops.front());  // round again
      for (const ControlSpec& spec : form->controls) {
        if (spec.kind != ControlKind::kButton) continue;
        view.SetFocus(spec.name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(clicks.isEmpty() ? QString() : clicks.back(), Q(spec.name));
      }
    }
  }
};

ONDREL_UI_TEST(LayoutTest);

}  // namespace ondrel::ui::testing

#include "layout_test.moc"
