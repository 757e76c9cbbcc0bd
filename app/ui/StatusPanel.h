// One panel of the main window's status bar: a text in a sunken frame.
//
// The link thread puts a new text here for every request it answers, so a change costs only a
// repaint of the panel: the panel's size never depends on its text (a text too long for it is
// cut with an ellipsis), and setting the text it already shows does nothing.
#pragma once

#include <QFrame>
#include <QString>

class TStatusPanel : public QFrame {
  Q_OBJECT

public:
  // width 0: the panel takes the room that is left.
  TStatusPanel(const char* name, int width, QWidget* parent = nullptr);

  void SetText(const QString& text);
  const QString& Text() const { return text_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  void TextChanged(const QString& text);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QString text_;
  int width_;
};
