#include "app/ui/DialogScreenshots.h"

#include "app/ui/FormAbout.h"
#include "app/ui/FormLiftBreak.h"
#include "app/ui/FormSetup.h"
#include "support/ui/Screenshots.h"

#include <QTabWidget>

#include <string>

namespace {

std::unique_ptr<QWidget> MakeFormSetup(int tab) {
  auto form = std::make_unique<TFormSetup>();
  form->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(tab);
  return form;
}

std::unique_ptr<QWidget> MakeFormLiftBreak() {
  auto form = std::make_unique<TFormLiftBreak>();
  form->SetFields("43", "Неисправна цепь блокировок");
  return form;
}

}  // namespace

void AddSimulatorDialogs(TScreenshotList& list) {
  const char* tabs[] = {"main", "lift", "debug"};
  for (int i = 0; i < 3; ++i)
    list.Add(std::string("FormSetup-") + tabs[i], [i] { return MakeFormSetup(i); });
  list.Add("FormAbout", [] { return std::make_unique<TFormAbout>(); });
  list.Add("FormLiftBreak", MakeFormLiftBreak);
}
