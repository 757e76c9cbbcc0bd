// The tab that lists the 51 registers exactly as the dispatching centre reads them: number,
// meaning, value in hexadecimal and in decimal. Read-only.
//
// While it is shown it compares the register image with the values on screen five times a second
// and rewrites only the rows that changed, so it costs next to nothing.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "modbus/RegisterImage.h"

class QTableWidget;
class QTimer;

// What register `index` carries, in the words of the lift's register map.
std::string RegisterMeaning(int index);

class TRegisterView : public QWidget {
  Q_OBJECT

public:
  TRegisterView(const RegisterImage& registers, QWidget* parent = nullptr);

  // Brings every changed row up to date at once.
  void Refresh();

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void ShowValue(int row, std::uint16_t value);

  const RegisterImage& registers_;
  QTableWidget* table_;
  QTimer* timer_;
  std::array<int, kRegisterCount> shown_;  // -1: not shown yet
};
