// trevolk: the lift simulator. It has no command line; everything it needs is in "Trevolk.ini" in
// its work folder.
#include <QApplication>

#include <csignal>

#include "app/ui/FormTrevolkMain.h"
#include "support/ui/QuitRequest.h"

int main(int argc, char* argv[]) {
  // A gateway that drops the connection must give the link an error, not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trevolk");
  QApplication::setStyle("Fusion");

  TFormTrevolkMain window;
  // SIGINT, SIGTERM and the desktop's logout close the window as "Выход" does.
  TQuitRequest quitRequest([&window] { window.RequestClose(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.SaveAndCloseSettings(); });

  window.show();
  return app.exec();
}
