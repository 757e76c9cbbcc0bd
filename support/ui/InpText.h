// The one-line text input window ("FormInpText") and InputText.
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormInpText : public QDialog {
  Q_OBJECT

public:
  explicit TFormInpText(QWidget* owner = nullptr);

  // A password character of 0 shows the text as typed; any other masks every character with it.
  void Setup(const std::string& caption, const std::string& prompt, const std::string& text, char32_t passwordChar);
  std::string Text() const;

private:
  QLabel* LabelPrompt;
  QLineEdit* EditText;
  QPushButton* ButtonOk;
};

// On OK copies the typed text into text and returns true; otherwise leaves text as it was.
bool InputText(QWidget* owner, const std::string& caption, const std::string& prompt, std::string& text,
               char32_t passwordChar = 0);
