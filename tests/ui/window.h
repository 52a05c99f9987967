// One window on the offscreen platform with a fake desktop, and a folder for scripts.
#pragma once

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/fakedesktop.h"
#include "ui/mainform.h"
#include "ui/statusbar.h"

namespace nosk::testsupport {

using ui::PanelStatusBar;
using ui::TMainForm;

inline const QString kData = QStringLiteral(NOSK_TEST_DATA);
inline const QString kSearchGo =
    QStringLiteral("Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.");

// The bytes of a file; empty when it cannot be read.
inline QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  file.open(QIODevice::WriteOnly | QIODevice::Truncate);
  file.write(bytes);
}

// Whether a window starts from no saved settings, as on a first start, or from what the
// windows before it saved.
enum class Settings { Fresh, Kept };

// Forgets every saved setting when asked to, before the window that follows it is built.
// What the preview dialog says of its selected script: its path and what it says of it, then
// its lines as shown.
inline QString PreviewText(const QWidget& dialog) {
  const auto* said = dialog.findChild<QLabel*>(QStringLiteral("lblPreviewScript"));
  const auto* lines = dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtPreviewChanges"));
  if (said == nullptr || lines == nullptr) qFatal("no preview lines");
  QString text = said->text();
  text.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
  return text + QStringLiteral("\n") + lines->toPlainText();
}

struct SettingsAtStart {
  explicit SettingsAtStart(Settings settings) {
    if (settings == Settings::Fresh) QSettings().clear();
  }
};

// One window with its fake desktop, and a folder for scripts.
struct Window {
  SettingsAtStart settingsAtStart;
  FakeDesktop::State desktop;
  QTemporaryDir folder;
  TMainForm form{std::make_unique<FakeDesktop>(desktop)};

  explicit Window(Settings settings = Settings::Fresh) : settingsAtStart(settings) {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
  }
  template <class Widget>
  Widget* Find(const char* name) {
    auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }
  bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }
  QString Status() { return Find<PanelStatusBar>("MainStatusBar")->StatusText(); }
  QAbstractItemModel* Grid() { return Find<QTableView>("sgdFilelist")->model(); }
  // The text of a cell of the grid, by entry.
  QString Cell(int entry, int column) { return Grid()->index(entry, column).data().toString(); }
  QStringList Names() {
    QStringList names;
    for (int i = 0; i < form.FileGrid().Count(); ++i)
      names.append(QFileInfo(form.FileGrid().GetPath(i)).fileName());
    return names;
  }
  // A copy of a test script in the window's folder.
  QString Script(const QString& name, const QString& source = QStringLiteral("episode.ass")) {
    const QString path = folder.filePath(name);
    QFile::remove(path);
    QFile::copy(kData + "/" + source, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
  }
  QString Touch(const QString& name) {
    QFile file(folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    return file.fileName();
  }
  // A click near the left edge: on a radio button's or check box's indicator, inside a button.
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    QVERIFY2(button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
  }
  void ShowPage(int index) { Find<QTabWidget>("MainPageControl")->setCurrentIndex(index); }
};

}  // namespace nosk::testsupport
