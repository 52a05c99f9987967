// What a run would do, shown before it writes: the "Preview" dialog.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "engine/scriptresult.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTextBrowser;

namespace nosk::ui {

// One script of a preview: its path as the file list has it, and what the run would do.
struct PreviewEntry {
  QString path;
  engine::ScriptResult result;
};

// Every checked script with what the run would do (its count, "unchanged", or "Error" with the
// reason in words), the totals, and for the selected script its changes as a diff, or where
// the block came closest when it was not found. "Apply" accepts the dialog: the window then
// writes exactly what was shown; "Close" rejects it.
class PreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // `changesOf` works out the changes of one script again (a preview of that script alone);
  // only the selected script's changes are ever held.
  PreviewDialog(const QString& title, std::vector<PreviewEntry> entries,
                std::function<engine::ScriptResult(const QString& path)> changesOf,
                QWidget* parent);

  // Selects a row of the list.
  void SelectRow(int row);

 private:
  void ShowScript(int row);

  std::vector<PreviewEntry> entries_;
  std::function<engine::ScriptResult(const QString& path)> changesOf_;
  QTableWidget* scripts_;
  QTextBrowser* changes_;
  QLabel* totals_;
  QPushButton* apply_;
};

}  // namespace nosk::ui
