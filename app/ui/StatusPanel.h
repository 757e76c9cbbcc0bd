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
  // A panel that fills the rest is at least width wide and takes the room that is left, as the
  // last panel of a status bar does.
  TStatusPanel(const char* name, int width, bool fillsRest, QWidget* parent = nullptr);

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
  bool fillsRest_;
};
