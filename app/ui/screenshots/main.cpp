// Saves a picture of every window of the program into a folder, without a display.
//
//   trevolk-screenshots FOLDER [NAME-PART]
//
// Windows are added below, one line per folder of windows.
#include "support/ui/Screenshots.h"
#include "app/ui/DialogScreenshots.h"
#include "app/ui/MainScreenshots.h"
#include "support/ui/UtilityScreenshots.h"

#include <QApplication>

#include <iostream>

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: " << argv[0] << " FOLDER [NAME-PART]\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  TScreenshotList list;
  AddUtilityWindows(list);
  AddSimulatorDialogs(list);
  AddMainWindow(list);

  const QString filter = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  const int failures = SaveScreenshots(list, QString::fromLocal8Bit(argv[1]), filter, std::cout);
  return failures == 0 ? 0 : 1;
}
