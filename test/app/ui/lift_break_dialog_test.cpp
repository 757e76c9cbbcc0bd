// The add-fault dialog and the add button's rule: what it proposes and what it accepts.
#include "app/ui/FormLiftBreak.h"

#include "app/LiftBreakList.h"

#include "ModalDriver.h"
#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>
#include <string>
#include <vector>

namespace {

struct TTyped {
  std::optional<QString> number;  // nothing: leave the proposal
  std::optional<QString> text;
  const char* button = "ButtonOk";
};

struct TShown {
  QString number;
  QString text;
};

// Runs the add button on the list, typing into the dialog; returns what the dialog showed.
TShown Add(TLiftBreakList& list, const TTyped& typed, bool* added = nullptr) {
  TShown shown;
  WhenModal([&](QWidget& modal) {
    auto* number = modal.findChild<QLineEdit*>("EditNum");
    auto* text = modal.findChild<QLineEdit*>("EditText");
    shown = {number->text(), text->text()};
    if (typed.number) number->setText(*typed.number);
    if (typed.text) text->setText(*typed.text);
    modal.findChild<QPushButton*>(typed.button)->click();
  });
  const bool result = AddLiftBreak(nullptr, list);
  if (added) *added = result;
  return shown;
}

class LiftBreakDialogTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }
};

TEST_F(LiftBreakDialogTest, HasTheNumberAndTextFields) {
  TFormLiftBreak dialog;
  EXPECT_EQ(dialog.windowTitle(), "Добавить неисправность");
  QStringList groups;
  for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) groups << group->title();
  EXPECT_EQ(groups, (QStringList{"Номер неисправности", "Текст неисправности"}));
  EXPECT_EQ(dialog.findChild<QLineEdit*>("EditText")->maxLength(), 64);
  EXPECT_TRUE(dialog.findChild<QPushButton*>("ButtonOk")->isDefault());
  EXPECT_EQ(dialog.findChild<QPushButton*>("ButtonCancel")->text(), "Отмена");

  dialog.SetFields("17", "Тест");
  EXPECT_EQ(dialog.NumberText(), "17");
  EXPECT_EQ(dialog.Text(), "Тест");
}

TEST_F(LiftBreakDialogTest, AddsOnlyWhatDiffersFromTheProposal) {
  struct Step {
    const char* what;
    TTyped typed;
    QString shownNumber;
    QString shownText;
    bool added;
  };
  const Step steps[] = {
      {"empty list, text typed", {{}, "Тест"}, "1", "", true},
      {"proposal taken unchanged", {}, "2", "Тест", false},
      {"number changed", {"5", {}}, "2", "Тест", true},
      {"text emptied", {"9", ""}, "6", "Тест", false},
      {"cancelled", {"9", "Другой", "ButtonCancel"}, "6", "Тест", false},
      {"number without digits", {"abc", "Другой"}, "6", "Тест", true},
      {"same text, number read up to the first non-digit", {"1x", "Другой"}, "1", "Другой", false},
  };
  TLiftBreakList list;
  std::vector<TLiftBreak> expected;
  for (const Step& step : steps) {
    bool added = false;
    const TShown shown = Add(list, step.typed, &added);
    EXPECT_EQ(shown.number, step.shownNumber) << step.what;
    EXPECT_EQ(shown.text, step.shownText) << step.what;
    EXPECT_EQ(added, step.added) << step.what;
    if (step.added) {
      expected.push_back({list.Items().back().Text, list.Items().back().Code});
      EXPECT_EQ(list.Selected(), list.Count() - 1) << step.what;
    }
    EXPECT_EQ(list.Items(), expected) << step.what;
  }
  EXPECT_EQ(expected, (std::vector<TLiftBreak>{{"Тест", 1}, {"Тест", 5}, {"Другой", 0}}));
}

TEST_F(LiftBreakDialogTest, ALongTextFromAFileIsProposedWhole) {
  const std::string longText(100, 'x');
  TLiftBreakList list;
  list.Append({longText, 7});
  bool added = true;
  const TShown shown = Add(list, {}, &added);
  EXPECT_EQ(shown.text.toStdString(), longText);
  EXPECT_FALSE(added);
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
