// The yes/no question window: answers, layout of the buttons, placement in the settings.
#include "support/ui/OkDialog.h"

#include "ModalDriver.h"
#include "QtTestApp.h"
#include "TestSettings.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace {

const std::string Question = "Действительно загрузить\nнеисправности из файла?\nТекущие будут утеряны !";

class OkDialogTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }
};

TEST_F(OkDialogTest, AskYesNoReturnsTheAnswer) {
  struct Case {
    const char* how;
    std::function<void(QWidget&)> answer;
    bool expected;
  };
  const Case cases[] = {
      {"Да", [](QWidget& w) { w.findChild<QPushButton*>("sBitBtnOk")->click(); }, true},
      {"Нет", [](QWidget& w) { w.findChild<QPushButton*>("sBitBtnCancel")->click(); }, false},
      {"Esc", [](QWidget& w) { PressKey(w, Qt::Key_Escape); }, false},
      {"close box", [](QWidget& w) { w.close(); }, false},
  };
  for (const Case& c : cases) {
    QString shownQuestion;
    QString shownCaption;
    WhenModal([&](QWidget& dialog) {
      shownQuestion = dialog.findChild<QLabel*>("sPanel1")->text();
      shownCaption = dialog.windowTitle();
      c.answer(dialog);
    });
    EXPECT_EQ(AskYesNo(nullptr, Question, "Внимание"), c.expected) << c.how;
    EXPECT_EQ(shownQuestion.toStdString(), Question) << c.how;
    EXPECT_EQ(shownCaption.toStdString(), "Внимание") << c.how;
  }
}

TEST_F(OkDialogTest, ButtonsShareTheBottomRowEqually) {
  TFOkDialog dialog;
  dialog.SetQuestion("?", "Внимание");
  auto* ok = dialog.findChild<QPushButton*>("sBitBtnOk");
  auto* cancel = dialog.findChild<QPushButton*>("sBitBtnCancel");
  ASSERT_TRUE(ok && cancel);
  EXPECT_EQ(ok->text(), "Да");
  EXPECT_EQ(cancel->text(), "Нет");

  dialog.resize(301, 200);
  dialog.show();
  EXPECT_EQ(ok->width(), 150);
  EXPECT_EQ(cancel->x(), 150);
  EXPECT_EQ(cancel->width(), 151);
  EXPECT_EQ(ok->height(), 58);
}

TEST_F(OkDialogTest, QuestionIsNeverCutByAShrunkWindow) {
  TFOkDialog dialog;
  dialog.SetQuestion(Question, "Внимание");
  dialog.resize(1, 1);
  const QLabel* panel = dialog.findChild<QLabel*>("sPanel1");
  EXPECT_GE(panel->width(), panel->sizeHint().width());
  EXPECT_GE(panel->height(), panel->sizeHint().height());
}

TEST_F(OkDialogTest, SizeIsSavedOnClosingAndRestoredOnCreation) {
  TTestSettings settings;
  {
    WhenModal([](QWidget& dialog) {
      dialog.resize(520, 310);
      dialog.findChild<QPushButton*>("sBitBtnCancel")->click();
    });
    AskYesNo(nullptr, "?", "Внимание");
  }
  settings.Reopen();
  EXPECT_EQ(Settings->ReadInteger("FOkDialog", "Width", 0), 520);

  TFOkDialog dialog;
  EXPECT_EQ(dialog.width(), 520);
  EXPECT_EQ(dialog.height(), 310);
}

TEST_F(OkDialogTest, OpensAtTheCentreOfItsOwner) {
  QWidget owner;
  owner.setGeometry(100, 80, 600, 400);
  TFOkDialog dialog(&owner);
  dialog.SetQuestion("?", "Внимание");
  const QPoint centre = dialog.frameGeometry().center();
  EXPECT_NEAR(centre.x(), owner.frameGeometry().center().x(), 1);
  EXPECT_NEAR(centre.y(), owner.frameGeometry().center().y(), 1);
}

} // namespace
