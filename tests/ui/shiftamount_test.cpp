// The shift amount editor, typed into and stepped as a user would.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"
#include "ui/spinbutton.h"

using nosk::testsupport::Window;

namespace {

struct Keystroke {
  int key;
  Qt::KeyboardModifiers modifiers;
};

}  // namespace

Q_DECLARE_METATYPE(Keystroke)

class ShiftAmountTest : public QObject {
  Q_OBJECT

 private slots:
  void editsInPlace_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");
    QTest::addColumn<Keystroke>("stroke");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caretAfter");
    const auto none = Qt::NoModifier;
    const auto row = [](const char* name, const char* before, int caret, Keystroke stroke,
                        const char* after, int caretAfter) {
      QTest::newRow(name) << QString(before) << caret << stroke << QString(after) << caretAfter;
    };
    row("a digit overwrites", "0:00:00.00", 0, {Qt::Key_1, none}, "1:00:00.00", 1);
    row("before a separator the digit steps over it", "1:00:00.00", 1, {Qt::Key_2, none},
        "1:20:00.00", 3);
    row("tens of minutes: 7 becomes 5", "0:00:00.00", 2, {Qt::Key_7, none}, "0:50:00.00", 3);
    row("tens of minutes: 6 carries into the hour", "0:00:00.00", 2, {Qt::Key_6, none},
        "1:00:00.00", 3);
    row("no carry beyond 9 hours", "9:00:00.00", 2, {Qt::Key_6, none}, "9:00:00.00", 3);
    row("tens of seconds: 6 carries into the minutes", "0:00:00.00", 5, {Qt::Key_6, none},
        "0:01:00.00", 6);
    row("no carry beyond 9 minutes", "0:09:00.00", 5, {Qt::Key_6, none}, "0:09:00.00", 6);
    row("tens of seconds: 9 becomes 5", "0:00:00.00", 5, {Qt::Key_9, none}, "0:00:50.00", 6);
    row("centiseconds after the dot", "0:00:00.00", 7, {Qt::Key_4, none}, "0:00:00.40", 9);
    row("after the last character the digit is lost", "0:00:00.00", 10, {Qt::Key_5, none},
        "0:00:00.00", 10);
    row("a letter is refused", "0:00:00.00", 0, {Qt::Key_X, none}, "0:00:00.00", 0);
    row("a space is refused", "0:00:00.00", 3, {Qt::Key_Space, none}, "0:00:00.00", 3);
    row("Delete before a separator", "0:12:34.56", 4, {Qt::Key_Delete, none}, "0:12:04.56", 6);
    row("Delete at the end", "0:12:34.56", 10, {Qt::Key_Delete, none}, "0:12:34.56", 10);
    row("Backspace after a separator", "0:12:34.56", 5, {Qt::Key_Backspace, none}, "0:10:34.56", 3);
    row("Backspace at the start", "0:12:34.56", 0, {Qt::Key_Backspace, none}, "0:12:34.56", 0);
    row("Up: a centisecond, with carries", "0:00:59.99", 3, {Qt::Key_Up, none}, "0:01:00.00", 3);
    row("Alt does not count", "0:00:00.10", 2, {Qt::Key_Up, Qt::AltModifier}, "0:00:00.11", 2);
    row("Shift: a second", "0:00:10.00", 0, {Qt::Key_Up, Qt::ShiftModifier}, "0:00:11.00", 0);
    row("Ctrl: a minute", "0:10:00.00", 6, {Qt::Key_Down, Qt::ControlModifier}, "0:09:00.00", 6);
    row("Ctrl+Shift: an hour, clamped", "9:30:00.00", 0,
        {Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier}, "9:59:59.99", 0);
    row("Shift+Down clamped at zero", "0:00:00.50", 0, {Qt::Key_Down, Qt::ShiftModifier},
        "0:00:00.00", 0);
  }

  void editsInPlace() {
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(Keystroke, stroke);
    QFETCH(QString, after);
    QFETCH(int, caretAfter);
    Window w;
    w.ShowPage(1);
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    edit->setText(before);
    edit->setFocus();
    edit->setCursorPosition(caret);
    QTest::keyClick(edit, static_cast<Qt::Key>(stroke.key), stroke.modifiers);
    QCOMPARE(edit->text(), after);
    QCOMPARE(edit->cursorPosition(), caretAfter);
  }

  void stepsAtAClampedEndWithoutAChange() {
    Window w;
    w.ShowPage(1);
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    edit->setFocus();
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->text(), QStringLiteral("0:00:00.00"));
    QCOMPARE(changes.count(), 0);
  }

  void judgesPastesCutsAndOtherChanges() {
    Window w;
    w.ShowPage(1);
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    edit->setFocus();
    QApplication::clipboard()->setText("1:23:45.67");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("1:23:45.67"));
    // A paste that is no amount leaves the amount, and the status bar says why.
    QApplication::clipboard()->setText("12:00:00.00");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("1:23:45.67"));
    QVERIFY2(w.Status().startsWith(QStringLiteral("12:00:00.00 is not an amount")),
             qPrintable(w.Status()));
    edit->setSelection(3, 2);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("0:00:00.00"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("3:"));
    edit->setText("0:60:00.00");
    QCOMPARE(edit->text(), QStringLiteral("0:00:00.00"));
    edit->setText("1:23:45.67");
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(edit->selectedText(), QStringLiteral("1"));
  }

  // A pasted amount in a free form sets the amount, and a minus sign the direction, however it
  // is pasted; anything else pasted is judged as any other change.
  void setsAPastedAmount_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("backward");
    const auto row = [](const char* pasted, const char* amount, bool backward) {
      QTest::newRow(pasted) << QString::fromUtf8(pasted) << QString(amount) << backward;
    };
    row("1.5", "0:00:01.50", false);
    row("-1.5", "0:00:01.50", true);
    row("90", "0:01:30.00", false);
    row("1:30", "0:01:30.00", false);
    row("0:01:30.50", "0:01:30.50", false);
    row("1m30s", "0:01:30.00", false);
    row("-2h", "2:00:00.00", true);
    row("500ms", "0:00:00.50", false);
    row("1.5s\n", "0:00:01.50", false);
    row("0.004", "0:00:00.00", false);
    // Not amounts: frames without a frame rate, beyond the largest time, words.
    row("24f", "0:00:00.00", false);
    row("10:00:00.00", "0:00:00.00", false);
    row("one second", "0:00:00.00", false);
  }

  void setsAPastedAmount() {
    QFETCH(QString, pasted);
    QFETCH(QString, amount);
    QFETCH(bool, backward);
    const auto pasteBy = [&](Window& w, const QString& how) {
      auto* edit = w.Find<QLineEdit>("edP2Shift");
      edit->setFocus();
      edit->setCursorPosition(3);
      QApplication::clipboard()->setText(pasted);
      if (how == "keys") {
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      } else if (how == "Shift+Insert") {
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
      } else if (how == "menu") {
        // The context menu's Paste, chosen as soon as the menu shows.
        QTimer::singleShot(0, [] {
          auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
          QVERIFY(menu != nullptr);
          for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste"))) action->trigger();
          }
          menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &event);
      } else {
        QMimeData data;
        data.setText(pasted);
        const QPoint at(5, 5);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
      }
    };
    for (const QString how : {"keys", "Shift+Insert", "menu", "drop"}) {
      Window w;
      w.ShowPage(1);
      pasteBy(w, how);
      QCOMPARE(w.Find<QLineEdit>("edP2Shift")->text(), amount);
      QCOMPARE(w.Find<QAbstractButton>("rbnP2ShiftMode2")->isChecked(), backward);
      QCOMPARE(w.Find<QAbstractButton>("rbnP2ShiftMode1")->isChecked(), !backward);
    }
  }

  // An amount without a sign is forward, whatever was chosen before.
  void setsForwardForAnUnsignedPaste() {
    Window w;
    w.ShowPage(1);
    w.Click("rbnP2ShiftMode2");
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    edit->setFocus();
    QApplication::clipboard()->setText("2s");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("0:00:02.00"));
    QVERIFY(w.Find<QAbstractButton>("rbnP2ShiftMode1")->isChecked());
  }

  // Typed over the whole amount (as after Tab into the box, or Ctrl+A), text is a free-form
  // amount, set by Enter or by leaving the box; with nothing selected, digits overwrite in
  // place; text that is no amount leaves the amount as it was, and the status bar says why.
  void takesATypedAmountOverTheWholeSelection_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("backward");
    QTest::newRow("1.5, Enter") << "1.5" << true << "0:00:01.50" << false;
    QTest::newRow("90s, left") << "90s" << false << "0:01:30.00" << false;
    QTest::newRow("1m30s, Enter") << "1m30s" << true << "0:01:30.00" << false;
    QTest::newRow("-2, Enter") << "-2" << true << "0:00:02.00" << true;
    QTest::newRow("abc, Enter") << "abc" << true << "0:00:03.00" << false;
    QTest::newRow("9:99, left") << "9:99" << false << "0:00:03.00" << false;
  }

  void takesATypedAmountOverTheWholeSelection() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, amount);
    QFETCH(bool, backward);
    Window w;
    w.ShowPage(1);
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    edit->setText(QStringLiteral("0:00:03.00"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    if (byEnter) {
      QTest::keyClick(edit, Qt::Key_Return);
    } else {
      w.Find<QWidget>("P2Edit1")->setFocus();
      edit->clearFocus();
    }
    QCOMPARE(edit->text(), amount);
    QCOMPARE(w.Find<QAbstractButton>("rbnP2ShiftMode2")->isChecked(), backward);
    if (amount == QStringLiteral("0:00:03.00")) {
      QVERIFY2(w.Status().startsWith(typed + QStringLiteral(" is not an amount")),
               qPrintable(w.Status()));
    }
    // The caret inside, nothing selected: a digit overwrites in place.
    edit->setFocus();
    edit->setText(QStringLiteral("0:00:03.00"));
    edit->setCursorPosition(3);
    QTest::keyClick(edit, Qt::Key_4);
    QCOMPARE(edit->text(), QStringLiteral("0:04:03.00"));
  }

  void stepsWithTheSpinArrowsByTheModifiersHeld() {
    Window w;
    w.ShowPage(1);
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    auto* spin = w.Find<nosk::ui::SpinButton>("spinP2Shift");
    w.Find<QWidget>("btnP2Search")->setFocus();
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0:00:00.01"));
    QVERIFY(edit->hasFocus());
    w.desktop.heldModifiers = Qt::ShiftModifier;
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0:00:01.01"));
    w.desktop.heldModifiers = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("1:00:01.01"));
    w.desktop.heldModifiers = Qt::ControlModifier;
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0:59:01.01"));
    QVERIFY(spin->UpButton()->autoRepeat());
    QCOMPARE(spin->UpButton()->autoRepeatDelay(), 400);
    QCOMPARE(spin->UpButton()->autoRepeatInterval(), 100);
    QCOMPARE(spin->toolTip().split('\n').size(), 4);
    // The editor's hint adds the pasted forms to the steps.
    QVERIFY(edit->toolTip().startsWith(spin->toolTip() + '\n'));
    QTest::mouseClick(w.Find<QToolButton>("btnP2ShiftClear"), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0:00:00.00"));
  }

  void enablesShiftTimesOnlyForListedFilesAndANonZeroAmount() {
    Window w;
    w.ShowPage(1);
    auto* edit = w.Find<QLineEdit>("edP2Shift");
    edit->setFocus();
    edit->setCursorPosition(9);
    QTest::keyClick(edit, Qt::Key_1);
    QVERIFY(!w.Enabled("btnP2Execute"));  // no files
    w.form.AddScriptFile(w.Script("a.ass"));
    QVERIFY(w.Enabled("btnP2Execute"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("0:00:00.00"));
    QVERIFY(!w.Enabled("btnP2Execute"));
    QTest::keyClick(edit, Qt::Key_Up);
    QVERIFY(w.Enabled("btnP2Execute"));
    QTest::mouseClick(w.Find<QToolButton>("btnP2ShiftClear"), Qt::LeftButton);
    QVERIFY(!w.Enabled("btnP2Execute"));
  }
};

NOSK_UI_TEST(ShiftAmountTest)
#include "shiftamount_test.moc"
