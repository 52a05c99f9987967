// The file list grid worked with keys and the mouse. Rows are grid rows: entry i is row i + 1.
#include <QItemSelectionModel>
#include <QScrollBar>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"
#include "ui/filegridview.h"

using nosk::testsupport::Window;
using nosk::ui::FileGridView;

namespace {

// A window listing `count` scripts.
struct ListedWindow : Window {
  explicit ListedWindow(int count) {
    for (int i = 0; i < count; ++i)
      form.AddScriptFile(Script(QStringLiteral("e%1.ass").arg(i, 2, 10, QChar('0'))));
    grid = Find<FileGridView>("sgdFilelist");
    grid->setFocus();
  }
  // The selected rows, first and last (0, 0 when nothing is selected).
  QPair<int, int> Selected() const {
    const QModelIndexList rows = grid->selectionModel()->selectedRows();
    if (rows.isEmpty()) return {0, 0};
    int first = rows.front().row(), last = first;
    for (const QModelIndex& index : rows) {
      first = qMin(first, index.row());
      last = qMax(last, index.row());
    }
    return {first + 1, last + 1};
  }
  int Current() const { return grid->currentIndex().row() + 1; }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(grid, key, modifiers);
  }
  QPoint CellCentre(int row, int column) const {
    return grid->visualRect(grid->model()->index(row - 1, column)).center();
  }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, CellCentre(row, 1));
  }
  QList<bool> Checks() {
    QList<bool> checks;
    for (int i = 0; i < form.FileGrid().Count(); ++i) checks.append(form.FileGrid().GetChecked(i));
    return checks;
  }
  FileGridView* grid = nullptr;
};

using Rows = QPair<int, int>;

}  // namespace

class SelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void extendsAndShrinksAroundTheAnchor() {
    ListedWindow w(5);
    w.ClickRow(3);
    QCOMPARE(w.form.AnchorRow(), 3);
    w.Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(3, 4));
    w.Key(Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(3, 3));
    w.Key(Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(2, 3));
    QCOMPARE(w.Current(), 3);
    w.Key(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(2, 3));
    w.ClickRow(5);
    w.Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(5, 5));
    QCOMPARE(w.form.AnchorRow(), 5);
  }

  // Quick fingers let go of Shift a moment before the arrow: the selection goes on growing.
  void keepsTheAnchorWhenShiftIsReleasedFirst() {
    ListedWindow w(10);
    w.ClickRow(3);
    for (int i = 0; i < 3; ++i) {
      QTest::keyPress(w.grid, Qt::Key_Down, Qt::ShiftModifier);
      QTest::keyRelease(w.grid, Qt::Key_Down, Qt::NoModifier);
    }
    QCOMPARE(w.Selected(), Rows(3, 6));
    QCOMPARE(w.form.AnchorRow(), 3);
    QTest::keyPress(w.grid, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyRelease(w.grid, Qt::Key_Up, Qt::NoModifier);
    QCOMPARE(w.Selected(), Rows(3, 5));
    w.Key(Qt::Key_Down);  // a plain move still takes the anchor along
    QCOMPARE(w.form.AnchorRow(), w.Current());
  }

  void extendsByAPageAndScrollsTheEndIntoView() {
    ListedWindow w(30);
    const int visible = w.grid->VisibleRowCount();
    QVERIFY2(visible < 29, "the list must be longer than the view");
    QCOMPARE(w.form.AnchorRow(), 1);
    w.Key(Qt::Key_PageDown, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(1, 1 + visible));
    // The end of the selection is the last row in view.
    QCOMPARE(w.grid->TopRow() + visible, 1 + visible);
    w.Key(Qt::Key_PageDown, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(1, 1 + 2 * visible));
    QCOMPARE(w.grid->TopRow() + visible, 1 + 2 * visible);
    w.Key(Qt::Key_PageUp, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(1, 1 + visible));
    w.Key(Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(1, 30));
  }

  void selectsAllThenBackToTheFirstRow() {
    ListedWindow w(30);
    w.ClickRow(3);
    w.Key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.form.AnchorRow(), 1);
    QCOMPARE(w.Selected(), Rows(1, 30));
    QCOMPARE(w.grid->TopRow() + w.grid->VisibleRowCount(), 30);  // the last row lowest in view
    w.Key(Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(1, 1));
    QCOMPARE(w.grid->TopRow(), 0);
  }

  void movesTheAnchorWithPlainKeys() {
    ListedWindow w(30);
    w.Key(Qt::Key_End);
    QCOMPARE(w.form.AnchorRow(), 30);
    QCOMPARE(w.Current(), 30);
    w.Key(Qt::Key_Up);  // the grid's own move; the release moves the anchor
    QCOMPARE(w.Current(), 29);
    QCOMPARE(w.form.AnchorRow(), 29);
    w.Key(Qt::Key_Home);
    QCOMPARE(w.form.AnchorRow(), 1);
    QCOMPARE(w.Selected(), Rows(1, 1));
  }

  void selectsFromTheAnchorOnShiftClick() {
    ListedWindow w(4);
    w.ClickRow(2);
    const QPoint belowTheLastRow = w.CellCentre(4, 1) + QPoint(0, 40);
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, belowTheLastRow);
    QCOMPARE(w.Selected(), Rows(1, 2));
    w.ClickRow(3, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(2, 3));
    QCOMPARE(w.form.AnchorRow(), 2);
  }

  void setsARangeToTheOppositeOfTheAnchorEntryWithSpace() {
    ListedWindow w(6);
    w.ClickRow(2);
    for (int i = 0; i < 3; ++i) w.Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(w.Selected(), Rows(2, 5));
    w.Key(Qt::Key_Space);
    QCOMPARE(w.Checks(), (QList<bool>{true, false, false, false, false, true}));
    w.form.FileGrid().SetChecked(2, true);
    w.Key(Qt::Key_Space);
    QCOMPARE(w.Checks(), (QList<bool>{true, true, true, true, true, true}));
    w.ClickRow(6);
    w.Key(Qt::Key_Space);  // one row: its entry flips
    QCOMPARE(w.Checks(), (QList<bool>{true, true, true, true, true, false}));
  }

  void flipsExactlyTheClickedCheckBox() {
    ListedWindow w(4);
    w.form.FileGrid().SetValue(3, 1, 0);
    w.form.RefreshFileGrid();
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, w.CellCentre(3, 0));
    QCOMPARE(w.Checks(), (QList<bool>{true, true, false, true}));
    QCOMPARE(w.grid->model()->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QCOMPARE(w.Cell(1, 2), QStringLiteral("3"));
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, w.CellCentre(3, 0));
    QCOMPARE(w.Checks(), (QList<bool>{true, true, true, true}));
  }
};

NOSK_UI_TEST(SelectionTest)
#include "selection_test.moc"
