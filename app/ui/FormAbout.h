// The about box ("О программе", component name "FormAbout"): the program's icon, its product
// name and version, and "OK". Created, shown modally and destroyed by the main window; it opens
// at the centre of its owner.
#pragma once

#include <QDialog>

class TFormAbout : public QDialog {
  Q_OBJECT

public:
  explicit TFormAbout(QWidget* owner = nullptr);
};
