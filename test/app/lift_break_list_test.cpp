#include "app/LiftBreakList.h"

#include <gtest/gtest.h>

#include "LiftBreakPrinter.h"

namespace {

TLiftBreakList ListOf(std::initializer_list<TLiftBreak> entries, int selected = kNoSelection) {
  TLiftBreakList list;
  for (const TLiftBreak& entry : entries) list.Append(entry);
  list.Select(selected);
  return list;
}

TEST(LiftBreakList, Proposal) {
  EXPECT_EQ(TLiftBreakList{}.Proposal(), (TLiftBreak{"", 1}));
  EXPECT_EQ(ListOf({{"a", 3}, {"Тест", 9}}, 0).Proposal(), (TLiftBreak{"Тест", 10}));
  EXPECT_EQ(ListOf({{"a", INT32_MAX}}).Proposal(), (TLiftBreak{"a", INT32_MIN}));
}

TEST(LiftBreakList, AcceptAdded) {
  struct Case {
    const char* what;
    std::vector<TLiftBreak> before;
    std::string text;
    std::string number;
    bool added;
    TLiftBreak entry;
  };
  const Case cases[] = {
      {"first entry", {}, "Тест", "1", true, {"Тест", 1}},
      {"empty text", {}, "", "1", false, {}},
      {"empty text, other number", {}, "", "5", false, {}},
      {"proposal unchanged", {{"Тест", 1}}, "Тест", "2", false, {}},
      {"number changed", {{"Тест", 1}}, "Тест", "5", true, {"Тест", 5}},
      {"text changed", {{"Тест", 1}}, "Другой", "2", true, {"Другой", 2}},
      {"leading integer", {{"Тест", 1}}, "Тест", " 12abc", true, {"Тест", 12}},
      {"no number reads 0", {{"Тест", 1}}, "Тест", "abc", true, {"Тест", 0}},
      {"negative", {}, "x", "-4", true, {"x", -4}},
      {"number text 02 is 2", {{"Тест", 1}}, "Тест", "02", false, {}},
  };
  for (const Case& c : cases) {
    TLiftBreakList list;
    for (const TLiftBreak& entry : c.before) list.Append(entry);
    const TLiftBreak proposal = list.Proposal();
    EXPECT_EQ(list.AcceptAdded(proposal, c.text, c.number), c.added) << c.what;
    if (c.added) {
      EXPECT_EQ(list.Count(), static_cast<int>(c.before.size()) + 1) << c.what;
      EXPECT_EQ(list.Selected(), list.Count() - 1) << c.what;
      EXPECT_EQ(*list.SelectedItem(), c.entry) << c.what;
    } else {
      EXPECT_EQ(list.Items(), c.before) << c.what;
      EXPECT_EQ(list.Selected(), kNoSelection) << c.what;
    }
  }
}

TEST(LiftBreakList, AddTwiceInARow) {
  TLiftBreakList list;
  ASSERT_TRUE(list.AcceptAdded(list.Proposal(), "Тест", "1"));
  const TLiftBreak proposal = list.Proposal();
  EXPECT_EQ(proposal, (TLiftBreak{"Тест", 2}));
  EXPECT_FALSE(list.AcceptAdded(proposal, proposal.Text, "2"));
  ASSERT_TRUE(list.AcceptAdded(proposal, proposal.Text, "5"));
  EXPECT_EQ(list.Items(), (std::vector<TLiftBreak>{{"Тест", 1}, {"Тест", 5}}));
  EXPECT_EQ(list.Selected(), 1);
}

TEST(LiftBreakList, TextsLongerThan64StayWhole) {
  TLiftBreakList list;
  const std::string longText(100, 'q');
  ASSERT_TRUE(list.AcceptAdded(list.Proposal(), longText, "1"));
  EXPECT_EQ(list.SelectedItem()->Text, longText);
  // Offered again unchanged, the long text is not taken for a change.
  EXPECT_FALSE(list.AcceptAdded(list.Proposal(), longText, "2"));
}

TEST(LiftBreakList, DeleteSelected) {
  struct Case {
    const char* what;
    int count;
    int selected;
    bool deleted;
    int countAfter;
    int selectedAfter;
    std::int32_t firstCode;
  };
  const Case cases[] = {
      {"nothing selected", 3, kNoSelection, false, 3, kNoSelection, 0},
      {"first", 3, 0, true, 2, 0, 1},
      {"middle selects first", 3, 1, true, 2, 0, 0},
      {"last selects first", 3, 2, true, 2, 0, 0},
      {"only entry", 1, 0, true, 0, kNoSelection, -1},
  };
  for (const Case& c : cases) {
    TLiftBreakList list;
    for (int i = 0; i < c.count; ++i) list.Append({"t", i});
    list.Select(c.selected);
    EXPECT_EQ(list.DeleteSelected(), c.deleted) << c.what;
    EXPECT_EQ(list.Count(), c.countAfter) << c.what;
    EXPECT_EQ(list.Selected(), c.selectedAfter) << c.what;
    if (c.countAfter > 0) {
      EXPECT_EQ(list.Items()[0].Code, c.firstCode) << c.what;
    }
  }
}

TEST(LiftBreakList, SelectOutsideSelectsNothing) {
  TLiftBreakList list = ListOf({{"a", 1}, {"b", 2}}, 1);
  EXPECT_EQ(list.SelectedItem()->Text, "b");
  for (int index : {2, -1, -7, INT32_MAX}) {
    list.Select(1);
    list.Select(index);
    EXPECT_EQ(list.Selected(), kNoSelection) << index;
    EXPECT_EQ(list.SelectedItem(), nullptr) << index;
  }
  list.Select(0);
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selected(), kNoSelection);
}

}  // namespace
