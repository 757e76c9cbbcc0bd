// The one-line text input: what comes back on OK and on cancel, and the password mask.
#include "support/ui/InpText.h"

#include "ModalDriver.h"
#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class InpTextTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }
};

TEST_F(InpTextTest, InputTextReturnsTheTypedTextOnlyOnOk) {
  struct Case {
    const char* how;
    std::function<void(QWidget&)> finish;
    bool accepted;
  };
  const Case cases[] = {
      {"ОК button", [](QWidget& w) { w.findChild<QPushButton*>("ButtonOk")->click(); }, true},
      {"Enter in the field", [](QWidget& w) { PressKey(*w.findChild<QLineEdit*>("EditText"), Qt::Key_Return); }, true},
      {"Esc in the field", [](QWidget& w) { PressKey(*w.findChild<QLineEdit*>("EditText"), Qt::Key_Escape); }, false},
      {"close box", [](QWidget& w) { w.close(); }, false},
  };
  for (const Case& c : cases) {
    std::string text = "старый";
    QString shownText;
    QString shownPrompt;
    QString shownCaption;
    WhenModal([&](QWidget& form) {
      auto* edit = form.findChild<QLineEdit*>("EditText");
      shownText = edit->text();
      shownPrompt = form.findChild<QLabel*>("LabelPrompt")->text();
      shownCaption = form.windowTitle();
      edit->setText("новый пароль");
      c.finish(form);
    });
    const bool result = InputText(nullptr, "Пароль", "Введите пароль доступа (задан в ГКСЛ-Е)", text);
    EXPECT_EQ(result, c.accepted) << c.how;
    EXPECT_EQ(text, c.accepted ? "новый пароль" : "старый") << c.how;
    EXPECT_EQ(shownText.toStdString(), "старый") << c.how;
    EXPECT_EQ(shownPrompt.toStdString(), "Введите пароль доступа (задан в ГКСЛ-Е)") << c.how;
    EXPECT_EQ(shownCaption.toStdString(), "Пароль") << c.how;
  }
}

TEST_F(InpTextTest, PasswordCharacterMasksTheField) {
  TFormInpText form;
  auto* edit = form.findChild<QLineEdit*>("EditText");
  form.Setup("Пароль", "?", "abc", 0);
  EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
  EXPECT_EQ(edit->displayText(), "abc");

  form.Setup("Пароль", "?", "abc", U'#');
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  EXPECT_EQ(edit->displayText(), "###");
  EXPECT_EQ(form.Text(), "abc");
}

TEST_F(InpTextTest, OkButtonCaption) {
  TFormInpText form;
  auto* ok = form.findChild<QPushButton*>("ButtonOk");
  EXPECT_EQ(ok->text().toStdString(), "    ОК");
  EXPECT_TRUE(ok->isDefault());
}

} // namespace
