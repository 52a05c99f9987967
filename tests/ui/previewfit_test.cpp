// The preview dialog on a small screen with large text: a 1366×768 laptop at a scale of 1.5,
// which leaves about 910×512 for the dialog. Run on its own, on an offscreen screen of that
// size (the test's environment sets it up).
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include "tests/ui/window.h"

using nosk::testsupport::Window;

class PreviewFitTest : public QObject {
  Q_OBJECT

 private slots:
  // Its buttons are on the screen, and the whole dialog with them.
  void fitsASmallScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.height() < 600, "the environment's screen is not the small one");
    Window w;
    for (const char* name : {"a.ass", "b.ass"}) w.form.AddScriptFile(w.Script(name));
    w.ShowPage(1);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    QStringList outside;
    w.desktop.onDialog = [&](QDialog& dialog) {
      dialog.show();
      if (!QTest::qWaitForWindowExposed(&dialog)) outside.append("not shown");
      if (!screen.contains(dialog.frameGeometry())) outside.append("the dialog");
      for (const char* name : {"btnPreviewApply", "btnPreviewClose"}) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (!button->isVisible() || !screen.contains(global)) outside.append(name);
      }
      return int(QDialog::Rejected);
    };
    w.Click("btnP2Preview");
    QCOMPARE(w.desktop.dialogs, 1);
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
  }
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setOrganizationName(QStringLiteral("nosk-tests"));
  QCoreApplication::setApplicationName(QStringLiteral("nosk_previewfit_test"));
  PreviewFitTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "previewfit_test.moc"
