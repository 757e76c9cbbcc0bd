// The about box: caption, product name, the compiled version, OK.
#include "app/ui/FormAbout.h"

#include "ModalDriver.h"
#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace {

TEST(AboutBox, ShowsTheProductAndTheCompiledVersion) {
  TestApp();
  TFormAbout about;
  EXPECT_EQ(about.windowTitle(), "О программе");
  ASSERT_NE(about.findChild<QLabel*>("LabelProduct"), nullptr);
  EXPECT_EQ(about.findChild<QLabel*>("LabelProduct")->text(), "Имитатор протокола MODBUS-LIFT");
  ASSERT_NE(about.findChild<QLabel*>("LabelVersion"), nullptr);
  EXPECT_EQ(about.findChild<QLabel*>("LabelVersion")->text().toStdString(),
            std::string("Версия ") + TREVOLK_TEST_VERSION);
  ASSERT_NE(about.findChild<QLabel*>("ImageIcon"), nullptr);
  EXPECT_FALSE(about.findChild<QLabel*>("ImageIcon")->pixmap().isNull());
}

TEST(AboutBox, OkClosesIt) {
  TestApp();
  TFormAbout about;
  WhenModal([](QWidget& modal) { modal.findChild<QPushButton*>("ButtonOk")->click(); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
