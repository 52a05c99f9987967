// The window in one language at a time: English from the sources, Russian from the embedded
// translation, with every text the window shows.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"
#include "ui/captionfit.h"
#include "ui/previewdialog.h"
#include "ui/translations.h"

using nosk::testsupport::Window;
using nosk::ui::CaptionShortfall;
using nosk::ui::PreviewDialog;
using nosk::ui::Translations;

namespace {

// One text the window shows, and where: "objectName/property".
struct ShownText {
  QString where;
  QString text;
};

// Empty texts are left out: there is nothing to translate in them.
void Add(QList<ShownText>& texts, const QObject& owner, const char* property, const QString& text) {
  if (text.isEmpty()) return;
  const QString name = owner.objectName().isEmpty()
                           ? QString::fromLatin1(owner.metaObject()->className())
                           : owner.objectName();
  texts.append({name + "/" + QString::fromLatin1(property), text});
}

// Every caption, title and hint of a widget and its children, in a fixed order, so that two
// widgets built alike give their texts side by side.
void AddWidgetTexts(QList<ShownText>& texts, QWidget& root) {
  Add(texts, root, "windowTitle", root.windowTitle());
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    // The selected script's path and what is said of it: what is said is taken on its own; the
    // history's cells hold times, paths and names beside its words, which are taken alone.
    if (widget->objectName() == QStringLiteral("lblPreviewScript") ||
        widget->objectName() == QStringLiteral("lstHistory")) {
      continue;
    }
    Add(texts, *widget, "toolTip", widget->toolTip());
    Add(texts, *widget, "statusTip", widget->statusTip());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      Add(texts, *widget, "text", button->text());
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      Add(texts, *widget, "text", label->text());
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      Add(texts, *widget, "title", group->title());
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
      Add(texts, *widget, "title", menu->title());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      Add(texts, *widget, "placeholderText", edit->placeholderText());
    } else if (auto* choices = qobject_cast<QComboBox*>(widget)) {
      for (int i = 0; i < choices->count(); ++i) Add(texts, *widget, "item", choices->itemText(i));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i) {
        Add(texts, *widget, "tabText", tabs->tabText(i));
        Add(texts, *widget, "tabToolTip", tabs->tabToolTip(i));
      }
    } else if (auto* table = qobject_cast<QTableView*>(widget)) {
      const QAbstractItemModel* model = table->model();
      for (int column = 0; column < model->columnCount(); ++column) {
        Add(texts, *widget, "header", model->headerData(column, Qt::Horizontal).toString());
        for (int row = 0; row < model->rowCount(); ++row) {
          Add(texts, *widget, "cell", model->index(row, column).data().toString());
          Add(texts, *widget, "cellHint",
              model->index(row, column).data(Qt::ToolTipRole).toString());
        }
      }
    }
  }
  for (QAction* action : root.findChildren<QAction*>()) {
    Add(texts, *action, "text", action->text());
    Add(texts, *action, "statusTip", action->statusTip());
  }
}

// The texts of the window as it starts, and of its About box.
QList<ShownText> TextsOf(Window& w) {
  QList<ShownText> texts;
  AddWidgetTexts(texts, w.form);
  w.Find<QAction>("actAbout")->trigger();
  Add(texts, w.form, "about", w.desktop.about);
  return texts;
}

// The texts of a window after a search over a script that has the block, one that is gone and
// one that cannot be read (the Result cells and their reasons, the message that told of the
// failed read), then a replacement (the run's report).
QList<ShownText> TextsAfterASearch(Window& w) {
  // Without the test script's Russian sign, whose text the preview shows as it stands.
  const QString found = w.Script("found.ass");
  QFile file(found);
  file.open(QIODevice::ReadWrite);
  const QByteArray english = file.readAll().replace("Станция", "Station");
  file.resize(0);
  file.write(english);
  file.close();
  w.form.AddScriptFile(found);
  const QString gone = w.Script("gone.ass");
  w.form.AddScriptFile(gone);
  QFile::remove(gone);
  const QString unreadable = w.folder.filePath("unreadable.ass");
  QFile::link(QStringLiteral("/proc/self/mem"), unreadable);  // opens, then fails to read
  w.form.AddScriptFile(unreadable);
  w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(nosk::testsupport::kSearchGo);
  w.Click("btnP1Search");
  QList<ShownText> texts;
  for (int entry = 0; entry < 3; ++entry) {
    Add(texts, w.form, "result", w.Cell(entry, 2));
    Add(texts, w.form, "reason", w.Grid()->index(entry, 2).data(Qt::ToolTipRole).toString());
  }
  for (const QString& message : w.desktop.messages) Add(texts, w.form, "message", message);
  // The preview, and why a script has no changes (the changes themselves are the script's).
  w.desktop.onDialog = [&](QDialog& dialog) {
    AddWidgetTexts(texts, dialog);
    for (int row = 1; row < 3; ++row) {
      static_cast<PreviewDialog&>(dialog).SelectRow(row);
      // What it says of the script, after the script's path.
      const QString said = dialog.findChild<QLabel*>(QStringLiteral("lblPreviewScript"))->text();
      Add(texts, dialog, "changes", said.mid(said.indexOf(QStringLiteral("<br>")) + 4));
      Add(texts, dialog, "changes",
          dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtPreviewChanges"))->toPlainText());
    }
    return int(QDialog::Rejected);
  };
  w.Click("btnP1Preview");
  // The exclusions, whose names are the scripts' own.
  w.desktop.onDialog = [&](QDialog& dialog) {
    AddWidgetTexts(texts, dialog);
    return int(QDialog::Rejected);
  };
  w.Click("btnP1Exclude");
  // A replacement, for the run's report.
  w.Click("btnP1Execute");
  Add(texts, w.form, "status", w.Status());
  // Its history: the dialog, its headers, and what it says of the replacement.
  w.desktop.onDialog = [&](QDialog& dialog) {
    AddWidgetTexts(texts, dialog);
    auto* list = dialog.findChild<QTableWidget*>(QStringLiteral("lstHistory"));
    for (int column = 0; column < list->columnCount(); ++column) {
      Add(texts, *list, "header", list->horizontalHeaderItem(column)->text());
    }
    for (int row = 0; row < list->rowCount(); ++row) {
      Add(texts, *list, "operation", list->item(row, 1)->text());
    }
    return int(QDialog::Rejected);
  };
  w.Find<QAction>("actHistory")->trigger();
  return texts;
}

bool HasCyrillic(const QString& text) {
  static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
  return text.contains(cyrillic);
}

// Texts that stay the same in every language: the program's name, numbers, times, file names.
bool SameInEveryLanguage(const QString& text) {
  static const QRegularExpression noWords(QStringLiteral("^[^\\p{L}]*$"));
  static const QRegularExpression names(QStringLiteral("^(Nosk|Nosk — .*|INS|CAPS|\\S*\\.ass)$"));
  return text.contains(noWords) || text.contains(names);
}

// The captions under a widget that do not fit their widgets, with the pixels they lack.
QStringList Clipped(QWidget& root) {
  QStringList clipped;
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    if (const int shortfall = CaptionShortfall(*widget); shortfall > 0) {
      clipped.append(QStringLiteral("%1: %2 px short").arg(widget->objectName()).arg(shortfall));
    }
  }
  // The headers of the tables.
  for (QTableView* table : root.findChildren<QTableView*>()) {
    QHeaderView* header = table->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int column = 0; column < header->count(); ++column) {
      const QString text = table->model()->headerData(column, Qt::Horizontal).toString();
      const int shortfall =
          header->fontMetrics().horizontalAdvance(text) + 2 * margin - header->sectionSize(column);
      if (shortfall > 0)
        clipped.append(
            QStringLiteral("%1 \"%2\": %3 px short").arg(table->objectName(), text).arg(shortfall));
    }
  }
  return clipped;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void showsNoRussianUnderAnEnglishLocale() {
    const Translations english(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!english.Translated());
    Window w;
    QList<ShownText> texts = TextsOf(w);
    Window searched;
    texts += TextsAfterASearch(searched);
    for (const ShownText& shownText : texts) {
      QVERIFY2(!HasCyrillic(shownText.text), qPrintable(shownText.where + ": " + shownText.text));
    }
    QVERIFY(texts.size() > 100);
  }

  void translatesEveryTextUnderARussianLocale() {
    Window englishWindow;
    QList<ShownText> english = TextsOf(englishWindow);
    Window englishSearched;
    english += TextsAfterASearch(englishSearched);

    const Translations russian(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(russian.Translated());
    Window russianWindow;
    QList<ShownText> translated = TextsOf(russianWindow);
    Window russianSearched;
    translated += TextsAfterASearch(russianSearched);

    QCOMPARE(translated.size(), english.size());
    QStringList untranslated;
    for (qsizetype i = 0; i < english.size(); ++i) {
      QCOMPARE(translated[i].where, english[i].where);
      const QString& source = english[i].text;
      if (SameInEveryLanguage(source)) continue;
      if (translated[i].text == source || !HasCyrillic(translated[i].text)) {
        untranslated.append(english[i].where + ": " + source + " -> " + translated[i].text);
      }
    }
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
  }

  void fitsEveryCaption_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia);
  }

  void fitsEveryCaption() {
    QFETCH(QLocale, locale);
    const Translations translations(locale);
    Window w;
    QStringList clipped = Clipped(w.form);
    // The preview dialog too, with its buttons and headers.
    w.form.AddScriptFile(w.Script("a.ass"));
    w.desktop.onDialog = [&](QDialog& dialog) {
      dialog.show();
      if (!QTest::qWaitForWindowExposed(&dialog)) clipped.append("the preview was not shown");
      clipped += Clipped(dialog);
      return int(QDialog::Rejected);
    };
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(nosk::testsupport::kSearchGo);
    w.Click("btnP1Preview");
    QCOMPARE(w.desktop.dialogs, 1);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
  }

  void namesTheCaptionsOfThePartsInRussian() {
    const Translations russian(QLocale(QLocale::Russian, QLocale::Russia));
    Window w;
    const struct {
      const char* control;
      const char* caption;
    } captions[] = {
        {"rbnSearchMode2", "Только текст"},
        {"rbnSearchMode5", "Полное соответствие"},
        {"lblP1Mode1", "Нет"},
        {"lblP1Mode4", "Смещение тайминга"},
        {"btnP1Advanced", "Дополнительно..."},
        {"btnP1Exclude", "Исключения..."},
    };
    for (const auto& [control, caption] : captions) {
      QWidget* widget = w.Find<QWidget>(control);
      auto* label = qobject_cast<QLabel*>(widget);
      const QString text = label ? label->text() : qobject_cast<QAbstractButton*>(widget)->text();
      QCOMPARE(text, QString::fromUtf8(caption));
    }
  }
};

NOSK_UI_TEST(LanguageTest)
#include "language_test.moc"
