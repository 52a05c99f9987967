// The window's undo, redo and history: runs taken back, or put back, through the file list.
#include <unistd.h>

#include <algorithm>

#include "engine/history.h"
#include "engine/run.h"
#include "ui/historydialog.h"
#include "ui/mainform.h"
#include "ui/messagetext.h"
#include "ui/statusbar.h"
#include "ui/windowfilelist.h"
#include "ui/windowhost.h"

namespace nosk::ui {

void TMainForm::actUndoLastRunExecute() { TakeBack(false); }

void TMainForm::actRedoExecute() { TakeBack(true); }

void TMainForm::TakeBack(bool redo) {
  ClearResults();
  statusBar_->SetStatusText({});
  bool anyChecked = false;
  for (std::int32_t i = 0; i < fileGrid_->Count(); ++i) anyChecked |= fileGrid_->GetChecked(i);
  if (!anyChecked) {
    RefreshFileGrid();
    statusBar_->SetStatusText(Translated(script::Message(script::MessageId::NoFiles)));
    return;
  }
  WindowFileList files(*fileGrid_);
  engine::RunRequest request;
  request.mode = engine::RunMode::Write;
  engine::UndoRequest undo;
  undo.which = redo ? engine::UndoRequest::Which::Redo : engine::UndoRequest::Which::StepBack;
  request.operation = undo;
  RunTakingBack(request, files, redo ? tr("Redo") : tr("Undo"));
}

void TMainForm::RunTakingBack(const engine::RunRequest& request, WindowFileList& files,
                              const QString& what) {
  const engine::RunOutcome outcome = engine::Run(request, files, *host_);
  RefreshFileGrid();
  QStringList announced = files.Announced();
  for (const script::Message& problem : outcome.problems) announced.append(Translated(problem));
  ReportRun(what, files.Tally());
  TellAtOnce(announced);
  DropInputQueuedDuringTheRun();
}

void TMainForm::actHistoryExecute() {
  statusBar_->SetStatusText({});
  std::vector<std::filesystem::path> folders;
  for (std::int32_t i = 0; i < fileGrid_->Count(); ++i) {
    const std::filesystem::path folder =
        engine::UndoTargetOf(EnginePath(fileGrid_->GetPath(i))).folder;
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  if (folders.empty()) {
    statusBar_->SetStatusText(Translated(script::Message(script::MessageId::NoFiles)));
    return;
  }
  // One run, taken back in the folders it wrote in: as the user it belongs to where root does
  // it, as the command line's undo --user.
  const auto takeBack = [](const HistoryRun& run, engine::RunMode mode) {
    engine::RunRequest request;
    request.mode = mode;
    engine::UndoRequest undo;
    undo.which = engine::UndoRequest::Which::Named;
    undo.run = run.id;
    if (::geteuid() == 0) undo.user = run.user;
    request.operation = undo;
    return request;
  };
  const auto assess = [&](const HistoryRun& run, bool& restores) {
    FolderRunFileList files(*fileGrid_, run.folders, FolderRunFileList::Results::TallyOnly);
    engine::Run(takeBack(run, engine::RunMode::Preview), files, *host_);
    const engine::RunTally& tally = files.Tally();
    restores = tally.changed > 0;
    QString text = tr("Take Back would restore %1 of its scripts.").arg(tally.changed);
    if (tally.failed > 0) {
      text +=
          QStringLiteral(" ") +
          tr("%1 cannot be taken back; the first, %2").arg(tally.failed).arg(files.FirstFailure());
    }
    return text;
  };
  HistoryDialog dialog(folders, assess, this);
  if (desktop_->RunDialog(dialog) != QDialog::Accepted || dialog.Chosen() == nullptr) return;
  const HistoryRun run = *dialog.Chosen();
  ClearResults();
  FolderRunFileList files(*fileGrid_, run.folders, FolderRunFileList::Results::IntoTheGrid);
  RunTakingBack(takeBack(run, engine::RunMode::Write), files, tr("Undo"));
}

}  // namespace nosk::ui
