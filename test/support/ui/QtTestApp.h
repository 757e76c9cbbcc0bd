// One QApplication for the window tests of a test program, made on first use on the offscreen
// platform (so the program also runs outside ctest without a display).
#pragma once

#include <QApplication>

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
