#include "support/ui/UtilityScreenshots.h"

#include "support/Codec1251.h"
#include "support/ui/GradientFill.h"
#include "support/ui/InpText.h"
#include "support/ui/OkDialog.h"
#include "support/ui/Screenshots.h"
#include "support/ui/TextView.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

namespace {

// A protocol log in Windows-1251: a request and the start of its reply, then a request with a bad
// checksum and the text logged for it.
QByteArray SampleLog() {
  QByteArray log;
  int ms = 100;
  const auto stamp = [&ms] { return QByteArray("10:15:42:0") + QByteArray::number(ms++) + ":  "; };
  const QList<QByteArray> request = QByteArray("01 04 00 00 00 33 B1 DF").split(' ');
  for (const QByteArray& byte : request) log += stamp() + "      <  " + byte + "\r\n";
  for (const QByteArray& byte : QByteArray("01 04 66 00 01 00 02 00 00").split(' ')) log += stamp() + " " + byte + "   >  \r\n";
  for (const QByteArray& byte : request.mid(0, 7)) log += stamp() + "      <  " + byte + "\r\n";
  log += stamp() + "      <  DE\r\n";
  log += stamp() + QByteArray::fromStdString(Utf8ToCp1251("Ошибка KS в запросе")) + "\r\n";
  return log;
}

std::unique_ptr<QWidget> MakeTextView() {
  QTemporaryDir folder;
  const QString path = folder.filePath("Volktrev.log");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return nullptr;
  file.write(SampleLog());
  file.close();
  return std::make_unique<TTextViewForm>(nullptr, false, path.toStdString(), "Протокол работы");
}

std::unique_ptr<QWidget> MakeOkDialog() {
  auto dialog = std::make_unique<TFOkDialog>();
  dialog->SetQuestion("Действительно загрузить\nнеисправности лифта НКУ-ТАЙС?\nТекущие будут утеряны !", "Внимание");
  return dialog;
}

std::unique_ptr<QWidget> MakeInpText(char32_t passwordChar) {
  auto form = std::make_unique<TFormInpText>();
  form->Setup("Пароль", "Введите пароль доступа (задан в ГКСЛ-Е)", "secret", passwordChar);
  return form;
}

// A grid-like column of cells painted the way the finder's grid paints its background.
class TGradientSample : public QWidget {
protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    constexpr int RowHeight = 20;
    for (int top = 0; top < height(); top += RowHeight) {
      GradientFill(painter, QRect(0, top, width(), RowHeight - 1), QColor(255, 255, 255));
      painter.drawText(3, top + 14, QString("192.168.0.%1").arg(top / RowHeight + 10));
    }
  }
};

std::unique_ptr<QWidget> MakeGradient() {
  auto sample = std::make_unique<TGradientSample>();
  sample->setObjectName("GradientFill");
  sample->resize(160, 100);
  sample->setMinimumSize(120, 40);
  return sample;
}

} // namespace

void AddUtilityWindows(TScreenshotList& list) {
  list.Add("FOkDialog", MakeOkDialog);
  list.Add("FormInpText", [] { return MakeInpText(0); });
  list.Add("FormInpText-password", [] { return MakeInpText(U'*'); });
  list.Add("TextViewForm", MakeTextView);
  list.Add("GradientFill", MakeGradient);
}
