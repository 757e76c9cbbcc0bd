// The yes/no question window ("FOkDialog") and AskYesNo.
//
// A sizeable tool window: the question fills it above a 58 px bottom row in which "Да" and "Нет"
// share the width equally. It remembers its size in the settings and opens at the centre of its
// owner.
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

class TFOkDialog : public QDialog {
  Q_OBJECT

public:
  explicit TFOkDialog(QWidget* owner = nullptr);

  // The question goes into the panel (one line per line break), the caption into the title.
  void SetQuestion(const std::string& question, const std::string& caption);

  void done(int result) override;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void PlaceContent();
  void CentreOnOwner();

  QLabel* sPanel1;
  QWidget* sPanel2;
  QPushButton* sBitBtnOk;
  QPushButton* sBitBtnCancel;
};

// True only when the user answered "Да"; "Нет", Esc and the close box give false.
bool AskYesNo(QWidget* owner, const std::string& question, const std::string& caption);
