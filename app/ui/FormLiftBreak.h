// The add-fault dialog ("Добавить неисправность", component name "FormLiftBreak"): the number and
// the text of a new custom fault. It has no logic of its own: the caller fills the fields with a
// proposal and reads them back after OK (AddLiftBreak below does both).
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class TLiftBreakList;

// Typed fault texts are limited to this many characters.
inline constexpr int kLiftBreakTextLength = 64;

class TFormLiftBreak : public QDialog {
  Q_OBJECT

public:
  explicit TFormLiftBreak(QWidget* owner = nullptr);

  void SetFields(const std::string& numberText, const std::string& text);
  std::string NumberText() const;
  std::string Text() const;

private:
  QLineEdit* EditNum;
  QLineEdit* EditText;
};

// The add button of the custom fault list: opens the dialog modally with the list's proposal and,
// after OK, appends and selects the entry when the list accepts it. True when an entry was added;
// the caller then refreshes the fault registers.
bool AddLiftBreak(QWidget* owner, TLiftBreakList& list);
