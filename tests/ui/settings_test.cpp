// What the window remembers between starts: saved on close, restored by the next window.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"

using nosk::testsupport::Settings;
using nosk::testsupport::Window;

namespace {

// The state of every remembered control, by name: checked radios and boxes, texts.
QStringList Remembered(Window& w) {
  QStringList state;
  for (auto* button : w.form.findChildren<QAbstractButton*>()) {
    if (button->isCheckable() && button->isChecked()) state.append(button->objectName());
  }
  for (const char* editor : {"P1Edit1", "P1Edit2", "P2Edit1"}) {
    state.append(w.Find<QPlainTextEdit>(editor)->toPlainText());
  }
  state.append(w.Find<QLineEdit>("edP2Shift")->text());
  state.append(w.Find<QComboBox>("cmbP3Source")->currentText());
  state.append(QString::number(w.Find<QTabWidget>("MainPageControl")->currentIndex()));
  state.sort();
  return state;
}

void Check(Window& w, const char* name) { w.Find<QAbstractButton>(name)->setChecked(true); }

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void restoresWhatTheLastWindowLeft() {
    QStringList saved;
    QString fileFolder;
    QString addedFolder;
    {
      Window w;
      const QStringList atFirstStart = Remembered(w);
      w.form.resize(900, 700);
      for (const char* radio :
           {"rbnP1SearchMode3", "rbnP1ReplaceMode2", "rbnP2AffectMode3", "rbnP2AffectModeEx1",
            "rbnP2TimesMode2", "rbnP2ShiftMode2", "rbnP3Target2", "rbnP3LineEnds3", "RadioButton16",
            "chkP4AddMissing", "RadioButton20"}) {
        Check(w, radio);
      }
      w.Find<QLineEdit>("edP2Shift")->setText("0:01:30.50");
      w.Find<QComboBox>("cmbP3Source")->setCurrentIndex(3);
      w.Find<QPlainTextEdit>("P1Edit1")->setPlainText("search\nblock");
      w.Find<QPlainTextEdit>("P1Edit2")->setPlainText("replace block");
      w.Find<QPlainTextEdit>("P2Edit1")->setPlainText("timing block");
      QDir(w.folder.path()).mkdir("episodes");
      fileFolder = w.folder.filePath("episodes");
      w.desktop.filesToChoose = {w.Script("episodes/01.ass")};
      w.Find<QAction>("actAddFile")->trigger();
      addedFolder = w.folder.path();
      w.desktop.folderToChoose = addedFolder;
      w.Find<QAction>("actAddFolder")->trigger();
      w.ShowPage(1);
      saved = Remembered(w);
      QVERIFY(saved != atFirstStart);
      w.form.close();
    }
    Window next(Settings::Kept);
    QCOMPARE(Remembered(next), saved);
    QCOMPARE(next.form.size(), QSize(900, 700));
    // The file list is not remembered; the dialogs open where the last ones were left.
    QCOMPARE(next.form.FileGrid().Count(), 0);
    next.Find<QAction>("actAddFile")->trigger();
    next.Find<QAction>("actAddFolder")->trigger();
    QCOMPARE(next.desktop.offeredFolders, (QStringList{fileFolder, addedFolder}));
  }

  // Choices are saved by name; the numbers older versions saved them by still load, each to the
  // same choice.
  void savesChoicesByNameAndLoadsTheOldNumbers() {
    const struct {
      const char* key;
      const char* radio;
      QString name;
      int number;
    } choices[] = {
        {"modes/search", "rbnSearchMode3", "format", 3},
        {"modes/search", "rbnSearchMode2", "text", 2},
        {"modes/replace", "rbnP1ReplaceMode1", "none", 1},
        {"modes/replace", "rbnP1ReplaceMode4", "timing", 4},
        {"modes/affect", "rbnP2AffectMode2", "all", 2},
        {"modes/affect", "rbnP2AffectMode4", "after", 4},
        {"modes/times", "rbnP2TimesMode3", "end", 3},
        {"convert/target", "rbnP3Target2", "utf-8", 2},
        {"convert/lineEnds", "rbnP3LineEnds2", "crlf", 2},
        {"modes/section", "RadioButton16", "header", 3},
        {"modes/section", "RadioButton17", "any", 4},
        {"modes/sort", "RadioButton20", "style", 3},
        {"modes/sort", "RadioButton21", "actor", 4},
    };
    for (const auto& choice : choices) {
      {
        Window w;
        Check(w, choice.radio);
        w.form.close();
      }
      QCOMPARE(QSettings().value(choice.key).toString(), choice.name);
      {
        Window byName(Settings::Kept);
        QVERIFY2(byName.Find<QAbstractButton>(choice.radio)->isChecked(), choice.radio);
      }
      {
        QSettings().clear();
        QSettings().setValue(choice.key, choice.number);
      }
      Window byNumber(Settings::Kept);
      QVERIFY2(byNumber.Find<QAbstractButton>(choice.radio)->isChecked(), choice.radio);
    }
  }

  // Without saved settings the window starts as built; settings it cannot use are left out.
  void startsAsBuiltFromNothingOrFromNonsense() {
    QStringList asBuilt;
    {
      Window w;
      asBuilt = Remembered(w);
    }
    {
      QSettings settings;
      settings.setValue("window/page", 9);
      settings.setValue("modes/search", 1);  // no search mode of that number
      settings.setValue("modes/section", "everywhere");
      settings.setValue("modes/sort", 9);
      settings.setValue("modes/replace", 17);
      settings.setValue("modes/affect", -1);
      settings.setValue("modes/times", "many");
      settings.setValue("shift/amount", "ninety");
      settings.setValue("convert/source", "EBCDIC");
      settings.setValue("convert/lineEnds", 0);
      settings.setValue("window/geometry", QByteArray("not a geometry"));
    }
    Window w(Settings::Kept);
    QCOMPARE(Remembered(w), asBuilt);
  }
};

NOSK_UI_TEST(SettingsTest)
#include "settings_test.moc"
