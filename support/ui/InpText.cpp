#include "support/ui/InpText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormInpText::TFormInpText(QWidget* owner) : QDialog(owner) {
  setObjectName("FormInpText");

  LabelPrompt = new QLabel(this);
  LabelPrompt->setObjectName("LabelPrompt");
  LabelPrompt->setTextFormat(Qt::PlainText);

  EditText = new QLineEdit(this);
  EditText->setObjectName("EditText");
  EditText->setMinimumWidth(280);

  // Cyrillic letters after four blanks, as on the original button.
  ButtonOk = new QPushButton("    ОК", this);
  ButtonOk->setObjectName("ButtonOk");
  ButtonOk->setDefault(true);
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOk);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabelPrompt);
  layout->addWidget(EditText);
  layout->addLayout(buttons);
  // Esc closes with cancel wherever the focus is: QDialog's own handling.
}

void TFormInpText::Setup(const std::string& caption, const std::string& prompt, const std::string& text,
                         char32_t passwordChar) {
  setWindowTitle(QString::fromStdString(caption));
  LabelPrompt->setText(QString::fromStdString(prompt));
  EditText->setText(QString::fromStdString(text));
  QString sheet = "QLineEdit { background: white; color: black;";
  if (passwordChar != 0) {
    EditText->setEchoMode(QLineEdit::Password);
    sheet += QString(" lineedit-password-character: %1;").arg(static_cast<uint>(passwordChar));
  } else {
    EditText->setEchoMode(QLineEdit::Normal);
  }
  EditText->setStyleSheet(sheet + " }");
  EditText->ensurePolished();
  EditText->selectAll();
}

std::string TFormInpText::Text() const {
  return EditText->text().toStdString();
}

bool InputText(QWidget* owner, const std::string& caption, const std::string& prompt, std::string& text,
               char32_t passwordChar) {
  TFormInpText form(owner);
  form.Setup(caption, prompt, text, passwordChar);
  if (form.exec() != QDialog::Accepted) return false;
  text = form.Text();
  return true;
}
