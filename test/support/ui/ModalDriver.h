// Drives a modal window from inside its own event loop: the action runs on the window that is
// modal once the loop has started.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void WhenModal(std::function<void(QWidget&)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal) action(*modal);
  });
}

inline void PressKey(QWidget& target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&target, &press);
}
