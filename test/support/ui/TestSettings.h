// The program's Settings opened in a fresh temporary work folder for the length of a test.
#pragma once

#include "support/Func.h"

#include <QTemporaryDir>

class TTestSettings {
public:
  TTestSettings() {
    SetWorkFolder(folder_.path().toStdString());
    OpenSettings("Trevolk.ini");
  }
  ~TTestSettings() { CloseSettings(); }

  // Writes the file and opens it again, as a restart of the program would.
  void Reopen() {
    CloseSettings();
    OpenSettings("Trevolk.ini");
  }

  QString Path(const QString& name) const { return folder_.filePath(name); }

private:
  QTemporaryDir folder_;
};
