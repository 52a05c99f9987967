// The grid of the file list, handing its keys and mouse presses to the window first.
#pragma once

#include <QTableView>

namespace nosk::ui {

// What the window decides about the grid's input, before or after the grid's own handling.
class FileGridInput {
 public:
  virtual ~FileGridInput() = default;
  // A key went down; true when it was handled and the grid must not see it.
  virtual bool sgdFilelistKeyDown(QKeyEvent* event) = 0;
  virtual void sgdFilelistKeyUp(QKeyEvent* event) = 0;
  // A mouse button is pressed, before the grid sees it; true to discard the press.
  virtual bool sgdFilelistMouseActivate(QMouseEvent* event) = 0;
  // A mouse button went down and the grid has handled it (its current row follows the click).
  virtual void sgdFilelistMouseDown(QMouseEvent* event) = 0;
  // A double click on row `row` (0-based; -1 below the last row).
  virtual void sgdFilelistDblClick(int row) = 0;
};

class FileGridView : public QTableView {
 public:
  FileGridView(QWidget* parent, FileGridInput& input);

  // Fully visible data rows.
  int VisibleRowCount() const;
  // The first visible data row (0-based); the view scrolls row by row.
  int TopRow() const;
  void SetTopRow(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  FileGridInput& input_;
};

}  // namespace nosk::ui
