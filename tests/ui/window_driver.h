// Finds the controls of the real windows by object name and works them as a user would.
#pragma once

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace ondrel::ui::testing {

template <typename Control = QWidget>
Control* Find(const QObject& window, const QString& name) {
  auto* control = window.findChild<Control*>(name);
  if (control == nullptr) qFatal("no control named %s", qPrintable(name));
  return control;
}

inline void Click(const QObject& window, const QString& name) {
  QTest::mouseClick(Find<QPushButton>(window, name), Qt::LeftButton);
}

inline void Choose(const QObject& window, const QString& menuItem) {
  Find<QAction>(window, menuItem)->trigger();
}

inline void Type(const QObject& window, const QString& box, const QString& text) {
  QLineEdit* edit = Find<QLineEdit>(window, box);
  edit->clear();
  QTest::keyClicks(edit, text);
}

inline QString TextOf(const QObject& window, const QString& label) {
  return Find<QLabel>(window, label)->text();
}

inline QWidget* TopLevel(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == name && widget->isVisible()) return widget;
  return nullptr;
}

// Runs `act` at the first yield at which the top-level window `name` is on show: a user
// who waits for a window to appear and then does something in it.
// Gives up after `attempts` looks, so that a window that never comes stops no later test.
inline void WhenShown(const QString& name, std::function<void(QWidget&)> act,
                      int attempts = 10000) {
  QTimer::singleShot(0, [name, act, attempts] {
    if (QWidget* window = TopLevel(name))
      act(*window);
    else if (attempts > 1)
      WhenShown(name, act, attempts - 1);
  });
}

// The names of the controls that Tab visits, in order, starting at `first`.
inline QStringList TabOrder(QWidget* first, int count) {
  QStringList names{first->objectName()};
  for (QWidget* widget = first->nextInFocusChain(); names.size() < count && widget != first;
       widget = widget->nextInFocusChain()) {
    if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty())
      names << widget->objectName();
  }
  return names;
}

}  // namespace ondrel::ui::testing
