#include "support/ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool CopyToClipboard(const std::string& text) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  // The clipboard holds a zero-terminated text, so a NUL ends it.
  const std::string plain = text.substr(0, text.find('\0'));
  clipboard->setText(QString::fromStdString(plain));
  return true;
}
