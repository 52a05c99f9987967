// Runs every registered test class of the window in one application.
#include <QApplication>
#include <QTest>

#include "tests/ui/uitest.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  int failed = 0;
  for (const auto& make : nosk::testsupport::UiTests()) {
    const std::unique_ptr<QObject> test = make();
    failed += QTest::qExec(test.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
