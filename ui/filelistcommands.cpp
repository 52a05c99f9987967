// The commands that fill and empty the file list, and the grid that shows it.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMetaObject>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableView>

#include "filelist/wildcard.h"
#include "script/eventline.h"
#include "ui/filegridmodel.h"
#include "ui/mainform.h"
#include "ui/scriptreplacepage.h"
#include "ui/statusbar.h"

namespace nosk::ui {

bool TMainForm::AddScriptFile(const QString& path) { return AddScriptFiles({path}) == 1; }

int TMainForm::AddScriptFiles(const QStringList& paths) {
  QSet<QString> listed;
  for (std::int32_t i = 0; i < fileGrid_->Count(); ++i) listed.insert(fileGrid_->GetPath(i));
  int added = 0;
  for (const QString& path : paths) {
    if (!script::IsScriptFileName(path.toStdString()) || listed.contains(path)) continue;
    const std::int32_t entry = fileGrid_->Add(path);
    if (entry < 0) continue;
    fileGrid_->SetValue(engine::kNotProcessed, entry, 0);
    listed.insert(path);
    ++added;
  }
  if (added > 0) {
    fileGrid_->Sort();
    RefreshFileGrid();
  }
  return added;
}

void TMainForm::RefreshFileGrid() {
  const int rememberedRow = SelectedRows().first;
  gridModel_->Rebuild();
  InterfaceRedraw();
  // One row stays selected: the first of the selection, or the last row when the list got shorter.
  SelectSingleRow(std::min(rememberedRow, gridModel_->rowCount()));
  anchorRow_ = sgdFilelist_->currentIndex().row() + 1;
}

void TMainForm::ClearGridRows() { gridModel_->Rebuild(); }

std::pair<int, int> TMainForm::SelectedRows() const {
  const QModelIndexList rows = sgdFilelist_->selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    const int current = std::max(sgdFilelist_->currentIndex().row(), 0) + 1;
    return {current, current};
  }
  int first = rows.front().row();
  int last = first;
  for (const QModelIndex& index : rows) {
    first = std::min(first, index.row());
    last = std::max(last, index.row());
  }
  return {first + 1, last + 1};
}

void TMainForm::SelectSingleRow(int row) {
  const QModelIndex index = gridModel_->index(std::max(row, 1) - 1, FileGridModel::kNameColumn);
  sgdFilelist_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TMainForm::actAddFileExecute() {
  const QStringList chosen = desktop_->ChooseScriptFiles(this, lastFileFolder_);
  if (!chosen.isEmpty()) lastFileFolder_ = QFileInfo(chosen.front()).absolutePath();
  AddScriptFiles(chosen);
}

void TMainForm::actAddFolderExecute() {
  const QString folder = desktop_->ChooseFolder(this, lastAddedFolder_);
  if (folder.isEmpty()) return;
  lastAddedFolder_ = folder;
  AddFolderScripts(folder);
}

void TMainForm::AddFolderScripts(const QString& folder) {
  const QDir dir(folder);
  // Every kind of entry that matches, hidden ones and folders too; the extension test decides.
  QStringList paths;
  for (const char* pattern : {"*.ass", "*.ssa"}) {
    const QStringList names = dir.entryList(
        {QString::fromLatin1(pattern)},
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& name : names) paths.append(dir.filePath(name));
  }
  AddScriptFiles(paths);
  // The subfolders are not taken (nor is Nosk_backup ever): said when they hold scripts.
  QDirIterator below(folder, {QStringLiteral("*.ass"), QStringLiteral("*.ssa")}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (below.hasNext()) {
    const QString path = below.next();
    const QString parent = QFileInfo(path).absolutePath();
    if (QDir(parent) == dir || path.contains(QStringLiteral("/Nosk_backup/"))) continue;
    statusBar_->SetStatusText(
        tr("The subfolders of %1 hold scripts too; they were not added.").arg(folder));
    break;
  }
}

void TMainForm::SetAllChecks(int how) {
  for (int entry = 0; entry < fileGrid_->Count(); ++entry) {
    fileGrid_->SetChecked(entry, how < 0 ? !fileGrid_->GetChecked(entry) : how > 0);
    gridModel_->EntryChanged(entry, FileGridModel::kCheckColumn);
  }
  InterfaceRedraw();
}

void TMainForm::actOpenContainingFolderExecute() {
  const int entry = sgdFilelist_->currentIndex().row();
  if (entry < 0 || entry >= fileGrid_->Count()) return;
  desktop_->OpenFolder(QFileInfo(fileGrid_->GetPath(entry)).absolutePath());
}

void TMainForm::RunShownPageSearch() {
  for (auto* button : MainPageControl_->currentWidget()->findChildren<QPushButton*>()) {
    if (button->objectName().endsWith(QStringLiteral("Search")) && button->isEnabled()) {
      button->click();
      return;
    }
  }
}

void TMainForm::actRemoveFileExecute() {
  const auto [first, last] = SelectedRows();
  const int count = last - first + 1;
  if (count <= 0 || fileGrid_->Count() == 0) return;
  // Each deletion moves the next selected entry to the same index.
  for (int i = 0; i < count; ++i) fileGrid_->Delete(first - 1);
  RefreshFileGrid();
}

void TMainForm::actRemoveAllFilesExecute() {
  fileGrid_->Clear();
  ClearGridRows();
  InterfaceRedraw();
  SelectSingleRow(1);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  // A dropped folder is offered like a file; the extension test refuses it unless its name ends
  // in .ass or .ssa.
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.append(QDir::cleanPath(url.toLocalFile()));
  }
  AddScriptFiles(paths);
  event->acceptProposedAction();
}

void TMainForm::FormCreate(const QStringList& arguments) {
  QStringList paths;
  QStringList folders;
  for (const QString& parameter : arguments) {
    const QString lower = parameter.toLower();
    if (lower == QStringLiteral("/e")) {
      // Ends the program as soon as its event loop starts; the other parameters still count.
      QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    } else if (lower == QStringLiteral("/b")) {
      desktop_->Beep();
    } else if (QFileInfo(QDir::current().absoluteFilePath(parameter)).isDir()) {
      folders.append(QDir::current().absoluteFilePath(parameter));
    } else {
      paths.append(MatchCommandLinePath(parameter));
    }
  }
  AddScriptFiles(paths);
  // A folder stands for its scripts, as on nosk-cli's command line and with the folder button.
  for (const QString& folder : folders) AddFolderScripts(QDir::cleanPath(folder));
}

// A relative parameter is taken from the current folder. Only ordinary files count: folders,
// dot-files and special files are skipped. A parameter that names a file is that file, whatever
// characters its name holds; only when none is there is its name a pattern, where "*" and "?"
// are the wildcards (brackets are not: release names carry their group in them).
QStringList TMainForm::MatchCommandLinePath(const QString& parameter) const {
  const QFileInfo named(QDir::current().absoluteFilePath(parameter));
  if (named.exists()) {
    if (named.isFile() && !named.isHidden()) return {QDir::cleanPath(named.absoluteFilePath())};
    return {};
  }
  const QString pattern = named.fileName();
  if (!filelist::HasWildcard(pattern)) return {};
  const QDir folder(named.absolutePath());
  QStringList paths;
  for (const QString& name : folder.entryList(QDir::Files, QDir::Unsorted)) {
    if (filelist::MatchesWildcard(name, pattern))
      paths.append(QDir::cleanPath(folder.filePath(name)));
  }
  return paths;
}

void TMainForm::sgdFilelistResize() {
  const int width = sgdFilelist_->viewport()->width() -
                    sgdFilelist_->columnWidth(FileGridModel::kCheckColumn) -
                    sgdFilelist_->columnWidth(FileGridModel::kResultColumn);
  if (width == sgdFilelist_->columnWidth(FileGridModel::kNameColumn)) return;
  sgdFilelist_->setColumnWidth(FileGridModel::kNameColumn, std::max(width, 0));
  fileGrid_->SetColumnWidth(sgdFilelist_->columnWidth(FileGridModel::kNameColumn));
  gridModel_->ColumnChanged(FileGridModel::kNameColumn);
  scriptReplace_->LayOutEditorBoxes(MainPageControl_->width());
}

// The list decides: the box shows the entry's state after the toggle, whatever the click said.
void TMainForm::sgdFilelistCheckBoxClick(int entry) {
  fileGrid_->ToggleChecked(entry);
  gridModel_->EntryChanged(entry, FileGridModel::kCheckColumn);
  ShowListSummary();
}

}  // namespace nosk::ui
