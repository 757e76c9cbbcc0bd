// The text file viewer: which part of the file it shows, how, and how it goes away.
#include "support/TextTail.h"
#include "support/ui/TextView.h"

#include "QtTestApp.h"
#include "TestSettings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>

#include <fstream>

namespace {

// Printable filler that marks every position, so a wrong offset shows.
std::string Filler(std::size_t size) {
  std::string bytes(size, ' ');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 23);
  return bytes;
}

class TextViewTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }

  std::string Write(const std::string& bytes) {
    const std::string path = settings.Path("Volktrev.log").toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  TTestSettings settings;
};

TEST_F(TextViewTest, TailStartsAfterTheFirstLineEndNearItsStart) {
  struct Case {
    const char* what;
    std::size_t size;
    long lineEndInTail;  // position of an LF counted from the start of the last 100000 bytes; -1: none
    std::size_t shownFrom;
  };
  const Case cases[] = {
      {"short file", 500, -1, 0},
      {"exactly 100000 bytes", 100000, -1, 0},
      {"one byte more, no LF", 100001, -1, 1 + 100},
      {"LF at the tail's first byte", 150000, 0, 50000 + 1},
      {"LF 40 bytes in", 150000, 40, 50000 + 41},
      {"LF as the 100th byte", 150000, 99, 50000 + 100},
      {"LF only as the 101st byte", 150000, 100, 50000 + 100},
  };
  for (const Case& c : cases) {
    std::string bytes = Filler(c.size);
    if (c.lineEndInTail >= 0) bytes[c.size - TextTailSize + c.lineEndInTail] = '\n';
    EXPECT_EQ(ReadTextTail(Write(bytes)), bytes.substr(c.shownFrom)) << c.what;
  }
}

TEST_F(TextViewTest, EmptyMissingOrFolderGiveNothing) {
  EXPECT_EQ(ReadTextTail(Write("")), "");
  EXPECT_EQ(ReadTextTail(settings.Path("missing.log").toStdString()), "");
  EXPECT_EQ(ReadTextTail(settings.Path("").toStdString()), "");
}

TEST_F(TextViewTest, ShowsTheTailOfALongLogWithSpacesForNulAndTheCaretAtTheEnd) {
  std::string bytes = Filler(150000);
  bytes[50000 + 10] = '\n';
  bytes[60000] = '\0';
  bytes[149999] = '\0';
  bytes.replace(70000, 6, "\xCE\xF8\xE8\xE1\xEA\xE0");  // "Ошибка" in Windows-1251
  const std::string path = Write(bytes);

  auto* view = new TTextViewForm(nullptr, false, path, "Протокол работы");
  const auto* memo = view->findChild<QPlainTextEdit*>("Memo");
  ASSERT_NE(memo, nullptr);

  std::string expected = bytes.substr(50011);
  expected[60000 - 50011] = ' ';
  expected.back() = ' ';
  expected.replace(70000 - 50011, 6, "Ошибка");
  const QString shown = memo->toPlainText();
  EXPECT_EQ(shown.size(), 99989);
  EXPECT_EQ(shown.toStdString(), expected);
  EXPECT_TRUE(memo->textCursor().atEnd());
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(view->windowTitle().toStdString(), "Протокол работы  [" + path + "]");
  EXPECT_EQ(TextViewForm, view);
  delete view;
  EXPECT_EQ(TextViewForm, nullptr);
}

TEST_F(TextViewTest, MissingFileGivesAnEmptyViewerWithItsTitle) {
  const std::string path = settings.Path("absent.log").toStdString();
  TTextViewForm view(nullptr, false, path, "Протокол работы");
  EXPECT_TRUE(view.findChild<QPlainTextEdit*>("Memo")->toPlainText().isEmpty());
  EXPECT_EQ(view.windowTitle().toStdString(), "Протокол работы  [" + path + "]");
}

TEST_F(TextViewTest, OemFileIsReadInTheDosCodePage) {
  const std::string path = Write("\x8E\xE8\xA8\xA1\xAA\xA0 \xC4\xB3");  // "Ошибка ─│" in code page 866
  TTextViewForm view(nullptr, true, path, "");
  EXPECT_EQ(view.findChild<QPlainTextEdit*>("Memo")->toPlainText().toStdString(), "Ошибка ─│");
}

TEST_F(TextViewTest, EscInTheTextClosesAndFreesTheViewer) {
  QPointer<TTextViewForm> view = new TTextViewForm(nullptr, false, Write("line\n"), "Протокол работы");
  view->show();
  view->resize(500, 300);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(view->findChild<QPlainTextEdit*>("Memo"), &esc);
  EXPECT_EQ(TextViewForm, nullptr);
  Flush();
  EXPECT_TRUE(view.isNull());

  settings.Reopen();
  EXPECT_EQ(Settings->ReadInteger("TextViewForm", "Width", 0), 500);
  TTextViewForm again(nullptr, false, Write("line\n"), "Протокол работы");
  EXPECT_EQ(again.width(), 500);
}

TEST_F(TextViewTest, GoesAwayWithItsOwner) {
  auto* owner = new QWidget;
  QPointer<TTextViewForm> view = new TTextViewForm(owner, false, Write("line\n"), "Протокол работы");
  view->show();
  delete owner;
  EXPECT_TRUE(view.isNull());
  EXPECT_EQ(TextViewForm, nullptr);
}

} // namespace
