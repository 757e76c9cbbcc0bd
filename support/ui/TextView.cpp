#include "support/ui/TextView.h"

#include "support/Codec1251.h"
#include "support/ui/FormBounds.h"
#include "support/ui/OemText.h"
#include "support/TextTail.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

TTextViewForm* TextViewForm = nullptr;

namespace {

QFont CourierPx(int pixels) {
  QFont font("Courier");
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pixels);
  return font;
}

QString DecodeText(const std::string& bytes, bool oemText) {
  if (oemText) return OemToQString(bytes);
  return QString::fromStdString(Cp1251ToUtf8(bytes));
}

} // namespace

TTextViewForm::TTextViewForm(QWidget* owner, bool oemText, const std::string& fileName, const std::string& title)
    : QWidget(nullptr, Qt::Window) {
  setObjectName("TextViewForm");
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  setWindowTitle(QString::fromStdString(title + "  [" + fileName + "]"));
  if (owner) connect(owner, &QObject::destroyed, this, [this] { delete this; });

  Memo = new QPlainTextEdit(this);
  Memo->setObjectName("Memo");
  Memo->setReadOnly(true);
  Memo->setFont(CourierPx(13));
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Memo);

  Memo->setPlainText(DecodeText(ReadTextTail(fileName), oemText));
  Memo->moveCursor(QTextCursor::End);
  Memo->ensureCursorVisible();

  setMinimumSize(240, 120);
  resize(624, 411);
  RestoreFormBounds(this);
  TextViewForm = this;
}

TTextViewForm::~TTextViewForm() {
  if (TextViewForm == this) TextViewForm = nullptr;
  SaveFormBounds(this);
}

void TTextViewForm::closeEvent(QCloseEvent* event) {
  if (TextViewForm == this) TextViewForm = nullptr;
  QWidget::closeEvent(event);
}

bool TTextViewForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
