#include "app/ui/FormLiftBreak.h"

#include "app/LiftBreakList.h"
#include "support/NumberText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A group holding one field; a field that does not fill the group stays at its left.
QLineEdit* MakeGroupEdit(QWidget* parent, QVBoxLayout* layout, const char* caption, const char* name,
                         bool fill) {
  auto* group = new QGroupBox(caption, parent);
  auto* edit = new QLineEdit(group);
  edit->setObjectName(name);
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addWidget(edit);
  if (!fill) groupLayout->addStretch();
  layout->addWidget(group);
  return edit;
}

}  // namespace

TFormLiftBreak::TFormLiftBreak(QWidget* owner) : QDialog(owner) {
  setObjectName("FormLiftBreak");
  setWindowTitle("Добавить неисправность");

  auto* layout = new QVBoxLayout(this);
  EditNum = MakeGroupEdit(this, layout, "Номер неисправности", "EditNum", false);
  EditNum->setMaximumWidth(120);
  EditText = MakeGroupEdit(this, layout, "Текст неисправности", "EditText", true);
  EditText->setMaxLength(kLiftBreakTextLength);
  // Room for a whole text of the longest length.
  EditText->setMinimumWidth(EditText->fontMetrics().averageCharWidth() * kLiftBreakTextLength * 3 / 4);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ButtonOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Отмена", this);
  cancel->setObjectName("ButtonCancel");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  layout->addStretch();
  resize(sizeHint());
}

void TFormLiftBreak::SetFields(const std::string& numberText, const std::string& text) {
  EditNum->setText(QString::fromStdString(numberText));
  const QString shown = QString::fromStdString(text);
  // A longer text read from a file is shown whole, so that OK without a change adds nothing;
  // only typing stays within the limit.
  EditText->setMaxLength(std::max(kLiftBreakTextLength, static_cast<int>(shown.size())));
  EditText->setText(shown);
}

std::string TFormLiftBreak::NumberText() const { return EditNum->text().toStdString(); }

std::string TFormLiftBreak::Text() const { return EditText->text().toStdString(); }

bool AddLiftBreak(QWidget* owner, TLiftBreakList& list) {
  const TLiftBreak proposal = list.Proposal();
  TFormLiftBreak dialog(owner);
  dialog.SetFields(IntToText(proposal.Code), proposal.Text);
  if (dialog.exec() != QDialog::Accepted) return false;
  return list.AcceptAdded(proposal, dialog.Text(), dialog.NumberText());
}
