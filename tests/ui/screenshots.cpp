// Pictures of the window as a user first sees it, one per page, after a search, its preview and
// its About box, in the system's language: for looking at the layout on a real display
// (tools/screenshots runs it under xvfb-run, once per language).
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "ui/desktop.h"
#include "ui/mainform.h"
#include "ui/previewdialog.h"
#include "ui/translations.h"

namespace {

// The system's desktop, but a dialog is photographed (each of its scripts shown in turn, for
// the first two) and closed instead of waiting for a person.
class PhotographingDesktop : public nosk::ui::DesktopServices {
 public:
  explicit PhotographingDesktop(QDir output)
      : system_(nosk::ui::MakeSystemDesktop()), output_(std::move(output)) {}
  QStringList ChooseScriptFiles(QWidget* parent, const QString& folder) override {
    return system_->ChooseScriptFiles(parent, folder);
  }
  QString ChooseFolder(QWidget* parent, const QString& folder) override {
    return system_->ChooseFolder(parent, folder);
  }
  // The About box as the system shows it, photographed instead of waiting for a person.
  void ShowAbout(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setIconPixmap(QApplication::windowIcon().pixmap(64));
    box.show();
    QTest::qWait(300);
    box.grab().save(output_.filePath(QStringLiteral("8-about.png")));
  }
  void ShowMessage(QWidget* parent, const QString& title, const QString& text) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    (void)parent;
  }
  int RunDialog(QDialog& dialog) override {
    dialog.show();
    QTest::qWait(300);
    auto* preview = qobject_cast<nosk::ui::PreviewDialog*>(&dialog);
    for (int row = 0; row < 2 && preview != nullptr; ++row) {
      preview->SelectRow(row);
      QTest::qWait(200);
      dialog.grab().save(output_.filePath(QStringLiteral("7-preview-%1.png").arg(row + 1)));
    }
    return QDialog::Rejected;
  }
  void OpenFolder(const QString&) override {}
  void Beep() override {}
  bool CapsLockOn() override { return false; }
  Qt::KeyboardModifiers HeldModifiers() override { return Qt::NoModifier; }

 private:
  std::unique_ptr<nosk::ui::DesktopServices> system_;
  QDir output_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Nosk"));
  // The window as on a first start: the developer's own settings stay out of the pictures.
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setOrganizationName(QStringLiteral("nosk-screenshots"));
  QSettings().clear();
  const nosk::ui::Translations translations(QLocale::system());
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER SCRIPT...\n", argv[0]);
    return 2;
  }
  const QDir output(arguments[1]);
  nosk::ui::TMainForm window(std::make_unique<PhotographingDesktop>(output));
  window.show();
  window.FormCreate(arguments.mid(2));
  QTest::qWait(300);
  auto* pages = window.findChild<QTabWidget*>("MainPageControl");
  const char* names[] = {"1-script-replace", "2-timing-shift", "3-format-conversion",
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
  // The preview of a replacement by the fixed translation.
  QFile fixed(opening.fileName().replace(QStringLiteral("opening.txt"),
                                         QStringLiteral("opening-fixed.txt")));
  if (fixed.open(QIODevice::ReadOnly)) {
    window.findChild<QPlainTextEdit*>("P1Edit2")->setPlainText(QString::fromUtf8(fixed.readAll()));
  }
  window.findChild<QPushButton*>("btnP1Preview")->click();
  window.resize(1000, 560);
  QTest::qWait(300);
  window.grab().save(output.filePath("6-wider.png"));
  window.findChild<QAction*>("actAbout")->trigger();
  return 0;
}
