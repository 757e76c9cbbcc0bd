#include "support/ui/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

void TScreenshotList::Add(std::string name, TWindowFactory make) {
  items_.push_back({std::move(name), std::move(make)});
}

namespace {

// Lets the window lay itself out and paint before it is grabbed.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// The offscreen platform draws no window frames, so the picture gets a title strip of its own
// with the window's caption.
QImage WithTitle(QWidget& window) {
  constexpr int TitleHeight = 24;
  const QPixmap content = window.grab();
  QImage picture(content.width(), content.height() + TitleHeight, QImage::Format_RGB32);
  picture.fill(QColor(60, 60, 70));
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  painter.setFont(QApplication::font());
  painter.drawText(QRect(6, 0, content.width() - 12, TitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   window.windowTitle());
  painter.drawPixmap(0, TitleHeight, content);
  return picture;
}

bool SavePicture(QWidget& window, const QString& path, std::ostream& log) {
  Settle();
  const bool saved = WithTitle(window).save(path, "PNG");
  log << (saved ? "saved " : "FAILED ") << path.toStdString() << " (" << window.width() << "x" << window.height()
      << ")\n";
  return saved;
}

int SaveOne(const TScreenshot& shot, const QDir& folder, std::ostream& log) {
  std::unique_ptr<QWidget> window = shot.Make();
  if (!window) {
    log << "FAILED " << shot.Name << ": no window\n";
    return 1;
  }
  // Pictures of windows that free themselves on closing are taken before anything closes them.
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  window->show();
  const QString name = QString::fromStdString(shot.Name);
  int failures = SavePicture(*window, folder.filePath(name + ".png"), log) ? 0 : 1;
  // The smallest size the window allows: its minimum size, or what its layout still needs.
  window->resize(1, 1);
  failures += SavePicture(*window, folder.filePath(name + "-small.png"), log) ? 0 : 1;
  window->hide();
  return failures;
}

} // namespace

int SaveScreenshots(const TScreenshotList& list, const QString& folder, const QString& filter, std::ostream& log) {
  QDir dir(folder);
  if (!dir.mkpath(".")) {
    log << "FAILED cannot make the folder " << folder.toStdString() << "\n";
    return 1;
  }
  int failures = 0;
  for (const TScreenshot& shot : list.Items()) {
    if (!filter.isEmpty() && !QString::fromStdString(shot.Name).contains(filter)) continue;
    failures += SaveOne(shot, dir, log);
  }
  return failures;
}
