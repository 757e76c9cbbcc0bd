#include "app/ui/FormAbout.h"

#include "support/Version.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 48;

// The program's own icon once the program has set one, a stock one before that.
QIcon ProgramIcon(const QWidget& form) {
  const QIcon icon = QApplication::windowIcon();
  if (!icon.isNull()) return icon;
  return form.style()->standardIcon(QStyle::SP_MessageBoxInformation);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* owner) : QDialog(owner) {
  setObjectName("FormAbout");
  setWindowTitle("О программе");

  auto* icon = MakeLabel(this, "ImageIcon", QString());
  icon->setPixmap(ProgramIcon(*this).pixmap(kIconSize, kIconSize));
  icon->setAlignment(Qt::AlignTop);

  auto* product = MakeLabel(this, "LabelProduct", "Имитатор протокола MODBUS-LIFT");
  QFont bold = product->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  product->setFont(bold);
  auto* version = MakeLabel(this, "LabelVersion", QString::fromStdString(AboutVersionText()));

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ButtonOk");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(icon);
  top->addLayout(texts, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 14);
  layout->setSpacing(16);
  layout->addLayout(top);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  resize(sizeHint());
}
