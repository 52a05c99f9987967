// Runs every registered test class of the window in one application.
#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include "tests/ui/uitest.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Settings go to a test location, never to the developer's own.
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setOrganizationName(QStringLiteral("nosk-tests"));
  QCoreApplication::setApplicationName(QStringLiteral("nosk_ui_tests"));
  int failed = 0;
  for (const auto& make : nosk::testsupport::UiTests()) {
    const std::unique_ptr<QObject> test = make();
    failed += QTest::qExec(test.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
