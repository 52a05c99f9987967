#include "ui/filegridview.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace nosk::ui {

FileGridView::FileGridView(QWidget* parent, FileGridInput& input)
    : QTableView(parent), input_(input) {
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

int FileGridView::VisibleRowCount() const {
  const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
  return std::max(viewport()->height() / rowHeight, 1);
}

int FileGridView::TopRow() const { return verticalScrollBar()->value(); }

void FileGridView::SetTopRow(int row) { verticalScrollBar()->setValue(row); }

void FileGridView::keyPressEvent(QKeyEvent* event) {
  if (!input_.sgdFilelistKeyDown(event)) QTableView::keyPressEvent(event);
}

void FileGridView::keyReleaseEvent(QKeyEvent* event) {
  QTableView::keyReleaseEvent(event);
  input_.sgdFilelistKeyUp(event);
}

void FileGridView::mousePressEvent(QMouseEvent* event) {
  if (input_.sgdFilelistMouseActivate(event)) return;
  QTableView::mousePressEvent(event);
  input_.sgdFilelistMouseDown(event);
}

void FileGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton)
    input_.sgdFilelistDblClick(rowAt(event->position().toPoint().y()));
}

}  // namespace nosk::ui
