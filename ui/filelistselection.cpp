// Working the file list grid: check boxes, Space over a range, range selection from the anchor
// row with the keyboard and with Shift+click. Rows are grid rows: 0 the header, entry i row i+1.
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/filegridmodel.h"
#include "ui/filegridview.h"
#include "ui/mainform.h"

namespace nosk::ui {

int TMainForm::GridRowCount() const { return gridModel_->rowCount() + 1; }

int TMainForm::CurrentRow() const { return std::max(sgdFilelist_->currentIndex().row(), 0) + 1; }

void TMainForm::SelectRows(int a, int b) {
  const auto clamp = [this](int row) { return std::clamp(row, 1, GridRowCount() - 1); };
  const int top = std::min(clamp(a), clamp(b));
  const int bottom = std::max(clamp(a), clamp(b));
  const QItemSelection rows(gridModel_->index(top - 1, 0),
                            gridModel_->index(bottom - 1, gridModel_->columnCount() - 1));
  // The selection's last row becomes the current row.
  sgdFilelist_->selectionModel()->setCurrentIndex(
      gridModel_->index(bottom - 1, FileGridModel::kNameColumn), QItemSelectionModel::NoUpdate);
  sgdFilelist_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void TMainForm::ExtendSelectionDown(int n) {
  const auto [top, bottom] = SelectedRows();
  const int moving = top < anchorRow_ ? top : bottom;
  const int end = std::min(moving + n, GridRowCount() - 1);
  SelectRows(anchorRow_, end);
  const int visible = sgdFilelist_->VisibleRowCount();
  if (GridRowCount() - 1 > visible && end > sgdFilelist_->TopRow() + visible) {
    sgdFilelist_->SetTopRow(end - visible);
  }
}

void TMainForm::ExtendSelectionUp(int n) {
  const auto [top, bottom] = SelectedRows();
  const int moving = bottom > anchorRow_ ? bottom : top;
  const int end = std::max(moving - n, 1);
  SelectRows(anchorRow_, end);
  if (GridRowCount() - 1 > sgdFilelist_->VisibleRowCount() && end < sgdFilelist_->TopRow() + 1) {
    sgdFilelist_->SetTopRow(end - 1);
  }
}

bool TMainForm::sgdFilelistKeyDown(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int key = event->key();
  if (key == Qt::Key_Space) {
    sgdFilelistKeyPress();
    return true;
  }
  if (modifiers == Qt::ShiftModifier) {
    extendingKey_ = key;
    switch (key) {
      case Qt::Key_Down:
        ExtendSelectionDown(1);
        return true;
      case Qt::Key_Up:
        ExtendSelectionUp(1);
        return true;
      case Qt::Key_Left:
      case Qt::Key_Right:
        return true;
      case Qt::Key_PageDown:
        ExtendSelectionDown(sgdFilelist_->VisibleRowCount());
        return true;
      case Qt::Key_PageUp:
        ExtendSelectionUp(sgdFilelist_->VisibleRowCount());
        return true;
      case Qt::Key_End:
        ExtendSelectionDown(GridRowCount());
        return true;
      case Qt::Key_Home:
        SelectRows(anchorRow_, 1);
        if (sgdFilelist_->TopRow() > 0) sgdFilelist_->SetTopRow(0);
        return true;
      default:
        extendingKey_ = 0;
        return false;
    }
  }
  if (modifiers == Qt::ControlModifier && key == Qt::Key_A) {
    anchorRow_ = 1;
    ExtendSelectionDown(GridRowCount());
    return true;
  }
  if (modifiers == Qt::NoModifier && (key == Qt::Key_End || key == Qt::Key_Home)) {
    anchorRow_ = key == Qt::Key_End ? GridRowCount() - 1 : 1;
    SelectSingleRow(anchorRow_);
    sgdFilelist_->scrollTo(sgdFilelist_->currentIndex());
    return true;
  }
  return false;
}

// A navigation key released without Shift moves the anchor to the current row, unless its press
// extended the selection: Shift is often let go a moment before the arrow, and the selection
// must not jump then.
void TMainForm::sgdFilelistKeyUp(QKeyEvent* event) {
  if (event->key() == extendingKey_ && !event->isAutoRepeat()) {
    extendingKey_ = 0;
    return;
  }
  switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
    case Qt::Key_End:
    case Qt::Key_Home:
      if (!(event->modifiers() & Qt::ShiftModifier)) anchorRow_ = CurrentRow();
      break;
    default:
      break;
  }
}

// Space sets every selected entry to the opposite of the anchor row's entry; with one row
// selected it flips that entry, as a click on its check box does.
void TMainForm::sgdFilelistKeyPress() {
  const auto [firstRow, lastRow] = SelectedRows();
  const int first = firstRow - 1;
  const int last = lastRow - 1;
  if (first < 0 || last > fileGrid_->Count()) return;
  if (first == last) {
    if (first < fileGrid_->Count()) sgdFilelistCheckBoxClick(first);
    return;
  }
  const bool state = !fileGrid_->GetChecked(anchorRow_ - 1);
  for (int entry = first; entry <= last && entry < fileGrid_->Count(); ++entry) {
    fileGrid_->SetChecked(entry, state);
    gridModel_->EntryChanged(entry, FileGridModel::kCheckColumn);
  }
  ShowListSummary();
}

bool TMainForm::sgdFilelistMouseActivate(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !(event->modifiers() & Qt::ShiftModifier)) return false;
  // Shift+click selects from the anchor row; the press itself is discarded. Over the header or
  // below the last row, the row is clamped.
  sgdFilelist_->setFocus();
  const int row = sgdFilelist_->rowAt(event->position().toPoint().y());
  SelectRows(anchorRow_, row < 0 ? 0 : row + 1);
  return true;
}

void TMainForm::sgdFilelistMouseDown(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier)) {
    anchorRow_ = CurrentRow();
  }
}

}  // namespace nosk::ui
