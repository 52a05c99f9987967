// The runs recorded in the listed scripts' folders: "History".
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "script/message.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace nosk::ui {

// One run as the history lists it: a run that wrote in several folders is one row.
struct HistoryRun {
  std::string id;
  std::string time;
  script::Message summary;
  unsigned user = 0;
  std::size_t scripts = 0;  // in every folder together
  std::vector<std::filesystem::path> folders;
  bool interrupted = false;  // stopped before it ended in one of them
  bool takenBack = false;    // an undo took it back, and no redo put it back
};

// The runs of every user in some folders, newest first: time, operation, scripts, who, folder
// and state. Selecting one says what taking it back would do now (which of its scripts are
// still as it left them); "Take Back" accepts the dialog with that run chosen, "Close" rejects it.
class HistoryDialog : public QDialog {
  Q_OBJECT

 public:
  // What taking a run back would do now, in a sentence, and whether it would restore anything.
  using Assessment = std::function<QString(const HistoryRun& run, bool& restores)>;

  HistoryDialog(const std::vector<std::filesystem::path>& folders, Assessment assess,
                QWidget* parent);

  void SelectRow(int row);
  // The run selected when the dialog was accepted; none before.
  const HistoryRun* Chosen() const;

  // The runs of the folders' journals, one per run id, newest first; problems reading them
  // (a sentence each) go to `problems`.
  static std::vector<HistoryRun> RunsOf(const std::vector<std::filesystem::path>& folders,
                                        QStringList& problems);

 private:
  void ShowRun(int row);

  std::vector<HistoryRun> runs_;
  Assessment assess_;
  QTableWidget* list_;
  QLabel* note_;
  QLabel* problems_;
  QPushButton* takeBack_;
};

}  // namespace nosk::ui
