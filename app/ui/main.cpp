// trevolk: the lift simulator. It has no command line; everything it needs is in "Trevolk.ini" in
// its work folder.
#include <QApplication>
#include <QSessionManager>

#include <csignal>

#include "app/ui/FormTrevolkMain.h"
#include "app/ui/SignalClose.h"

int main(int argc, char* argv[]) {
  // A gateway that drops the connection must give the link an error, not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trevolk");
  QApplication::setStyle("Fusion");

  TFormTrevolkMain window;
  TSignalClose signalClose([&window] { window.RequestClose(); });
  // The desktop's logout and a quit from elsewhere save like "Выход".
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.RequestClose(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.SaveAndCloseSettings(); });

  window.show();
  return app.exec();
}
