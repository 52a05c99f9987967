// Pictures of the window as a user first sees it, one per page, and after a search: for looking
// at the layout on a real display (tools/screenshots runs it under xvfb-run).
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "ui/mainform.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Nosk"));
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER SCRIPT...\n", argv[0]);
    return 2;
  }
  const QDir output(arguments[1]);
  nosk::ui::TMainForm window;
  window.show();
  window.FormCreate(arguments.mid(2));
  QTest::qWait(300);
  auto* pages = window.findChild<QTabWidget*>("MainPageControl");
  const char* names[] = {"1-script-replace", "2-timing-shift", "3-format-convertion",
                         "4-advanced-settings"};
  for (int page = 0; page < 4; ++page) {
    pages->setCurrentIndex(page);
    QTest::qWait(200);
    window.grab().save(output.filePath(QString::fromLatin1(names[page]) + ".png"));
  }
  pages->setCurrentIndex(0);
  QFile opening(QDir(arguments[2]).filePath("../blocks/opening.txt"));
  if (QFileInfo(arguments[2]).isFile())
    opening.setFileName(QFileInfo(arguments[2]).dir().filePath("blocks/opening.txt"));
  if (opening.open(QIODevice::ReadOnly)) {
    window.findChild<QPlainTextEdit*>("P1Edit1")->setPlainText(
        QString::fromUtf8(opening.readAll()));
  }
  window.findChild<QPushButton*>("btnP1Search")->click();
  QTest::qWait(200);
  window.grab().save(output.filePath("5-after-search.png"));
  window.resize(1000, 560);
  QTest::qWait(300);
  window.grab().save(output.filePath("6-wider.png"));
  return 0;
}
