#include "app/ui/MainScreenshots.h"

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <string>

#include "app/ui/CabFrames.h"
#include "app/ui/FormTrevolkMain.h"
#include "app/ui/ShaftView.h"
#include "support/Codec1251.h"
#include "support/Func.h"
#include "support/ui/Screenshots.h"

namespace {

// The link goes to a loopback port where nobody listens, so the status bar shows the link trying.
const char* const kDemoSettings[] = {
    "[SETUP]", "TcpAdr=127.0.0.1", "TcpPort=1", "Regim=0", "TO=1", "Pass=1", "Floor=4", "NoAlarm=0",
    "NoLiftBreak=0", "[Alarm]", "1=1", "3=1", "[LiftBreak]", "13=1", "Text0=Неисправна цепь блокировок",
    "Code0=43", "Text1=Охрана шахты", "Code1=44", "Text2=Нажата кнопка \"ОТМЕНА\"", "Code2=58", "Cur=1",
    "[LIFT]", "Y=9.6", "Floor=4", "FloorCount=12"};

// A work folder of the pictures' own, alive as long as the program.
void UseDemoFolder() {
  static QTemporaryDir folder;
  SetWorkFolder(folder.path().toStdString());
  std::string text;
  for (const char* line : kDemoSettings) text += Utf8ToCp1251(line) + "\r\n";
  QFile file(folder.filePath("Trevolk.ini"));
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text.data(), static_cast<qint64>(text.size()));
}

// Sends the cab from floor 4 towards floor 9 and lets it travel a little.
void StartTrip(TFormTrevolkMain& window) {
  TShaftView* shaft = window.findChild<TShaftView*>();
  if (!shaft) return;
  const QPointF point(10, 3 * 32 + 10);
  QMouseEvent press(QEvent::MouseButtonPress, point, shaft->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(shaft, &press);
  for (int i = 0; i < 4; ++i) {
    window.Timer1Timer();
    QThread::msleep(60);
  }
  window.Timer1Timer();
}

std::unique_ptr<QWidget> MakeMainWindow(int page) {
  UseDemoFolder();
  auto window = std::make_unique<TFormTrevolkMain>();
  window->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page);
  window->show();
  StartTrip(*window);
  return window;
}

// The twelve cab pictures side by side, three times their size, each over a shaft cell's grey and
// named, so they can be judged without running the imitation.
std::unique_ptr<QWidget> MakeCabFrames() {
  auto sheet = std::make_unique<QWidget>();
  sheet->setWindowTitle("LiftImages");
  auto* grid = new QGridLayout(sheet.get());
  constexpr int kZoom = 3;
  for (int i = 0; i < kCabFrameCount; ++i) {
    QImage cell(kCabFrameWidth, kCabFrameHeight, QImage::Format_ARGB32);
    cell.fill(QColor(192, 192, 192));
    QPainter painter(&cell);
    painter.drawImage(0, 0, CabFrames()[i]);
    painter.end();
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(cell.scaled(cell.size() * kZoom)));
    auto* name = new QLabel(QString("%1 %2").arg(i).arg(kCabFrameNames[i]));
    grid->addWidget(picture, (i / 6) * 2, i % 6);
    grid->addWidget(name, (i / 6) * 2 + 1, i % 6);
  }
  sheet->show();
  return sheet;
}

}  // namespace

void AddMainWindow(TScreenshotList& list) {
  const char* pages[] = {"alarms", "faults", "imitator", "registers"};
  for (int page = 0; page < 4; ++page)
    list.Add(std::string("FormTrevolkMain-") + pages[page], [page] { return MakeMainWindow(page); });
  list.Add("LiftImages", MakeCabFrames);
}
