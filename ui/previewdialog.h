// What a run would do, shown before it writes: the "Preview" dialog.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "engine/scriptresult.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace nosk::ui {

class ChangeView;

// One script of a preview: its path as the file list has it, and what the run would do.
struct PreviewEntry {
  QString path;
  engine::ScriptResult result;
};

// Every checked script with what the run would do (its count, "unchanged", or "Error" with the
// reason in words), or only those that would change, or only those that failed; the totals;
// and for the selected script its changes, or where the block came closest when it was not
// found. "Apply" accepts the dialog: the window then writes exactly what was shown; "Close"
// rejects it. The dialog fits the screen it opens on.
class PreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // `changesOf` works out the changes of one script again (a preview of that script alone);
  // only the selected script's changes are ever held.
  PreviewDialog(const QString& title, std::vector<PreviewEntry> entries,
                std::function<engine::ScriptResult(const QString& path)> changesOf,
                QWidget* parent);

  // Which scripts the list shows: the items of the "Show" box.
  enum class Shown { All, Changing, Failed };

  // Selects a row of the list.
  void SelectRow(int row);
  // Shows only the scripts of a kind; the selection moves to the first shown if it is hidden.
  void ShowOnly(Shown shown);

 private:
  void ShowScript(int row);

  std::vector<PreviewEntry> entries_;
  std::function<engine::ScriptResult(const QString& path)> changesOf_;
  QComboBox* shown_;
  QTableWidget* scripts_;
  QLabel* script_;
  ChangeView* changes_;
  QLabel* totals_;
  QPushButton* apply_;
};

}  // namespace nosk::ui
