#include "support/ui/OkDialog.h"

#include "support/ui/FormBounds.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int ButtonRowHeight = 58;
constexpr int PanelMargin = 24;

QFont TahomaPx(int pixels) {
  QFont font("Tahoma");
  font.setPixelSize(pixels);
  return font;
}

} // namespace

TFOkDialog::TFOkDialog(QWidget* owner) : QDialog(owner, Qt::Tool) {
  setObjectName("FOkDialog");
  setFont(TahomaPx(13));
  setSizeGripEnabled(true);

  sPanel1 = new QLabel(this);
  sPanel1->setObjectName("sPanel1");
  sPanel1->setFont(TahomaPx(21));
  sPanel1->setAlignment(Qt::AlignCenter);
  sPanel1->setTextFormat(Qt::PlainText);
  sPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

  sPanel2 = new QWidget(this);
  sPanel2->setObjectName("sPanel2");

  sBitBtnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogYesButton), "Да", sPanel2);
  sBitBtnOk->setObjectName("sBitBtnOk");
  sBitBtnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogNoButton), "Нет", sPanel2);
  sBitBtnCancel->setObjectName("sBitBtnCancel");
  connect(sBitBtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(sBitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  resize(440, 200);
  RestoreFormBounds(this);
  PlaceContent();
}

void TFOkDialog::SetQuestion(const std::string& question, const std::string& caption) {
  sPanel1->setText(QString::fromStdString(question));
  setWindowTitle(QString::fromStdString(caption));
  // Never so small that the question or a button caption is cut.
  const QSize text = sPanel1->sizeHint();
  const int buttons = 2 * std::max(sBitBtnOk->sizeHint().width(), sBitBtnCancel->sizeHint().width());
  setMinimumSize(std::max(text.width() + PanelMargin, buttons), text.height() + PanelMargin + ButtonRowHeight);
  CentreOnOwner();
}

void TFOkDialog::done(int result) {
  SaveFormBounds(this);
  QDialog::done(result);
}

void TFOkDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceContent();
}

void TFOkDialog::PlaceContent() {
  const int w = width();
  const int h = height();
  sPanel1->setGeometry(0, 0, w, std::max(0, h - ButtonRowHeight));
  sPanel2->setGeometry(0, h - ButtonRowHeight, w, ButtonRowHeight);
  sBitBtnOk->setGeometry(0, 0, w / 2, ButtonRowHeight);
  sBitBtnCancel->setGeometry(w / 2, 0, w - w / 2, ButtonRowHeight);
}

void TFOkDialog::CentreOnOwner() {
  const QWidget* owner = parentWidget();
  if (!owner) return;
  const QRect area = owner->window()->frameGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

bool AskYesNo(QWidget* owner, const std::string& question, const std::string& caption) {
  TFOkDialog dialog(owner);
  dialog.SetQuestion(question, caption);
  return dialog.exec() == QDialog::Accepted;
}
