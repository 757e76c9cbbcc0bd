// The read-only text file viewer ("TextViewForm"), used for the protocol log.
//
// Shows the newest part of the file (see support/TextTail.h) with the caret at the end. It is shown
// non-modally by whoever creates it and frees itself when closed; Esc in the text closes it.
// It is a window of its own (its own task-bar entry, no hold on the program's quitting) that goes
// away with its owner.
#pragma once

#include <QWidget>

#include <string>

class QPlainTextEdit;

class TTextViewForm : public QWidget {
  Q_OBJECT

public:
  // oemText: the file is in the DOS code page (866) rather than Windows-1251.
  TTextViewForm(QWidget* owner, bool oemText, const std::string& fileName, const std::string& title);
  ~TTextViewForm() override;

  bool eventFilter(QObject* watched, QEvent* event) override;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QPlainTextEdit* Memo;
};

// The open viewer, if any; cleared when it closes.
extern TTextViewForm* TextViewForm;
