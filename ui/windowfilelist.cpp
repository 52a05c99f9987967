#include "ui/windowfilelist.h"

#include <QFile>

#include "engine/history.h"
#include "ui/messagetext.h"

namespace nosk::ui {

std::filesystem::path EnginePath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::filesystem::path WindowFileList::GetPath(std::int32_t i) const {
  return EnginePath(grid_.GetPath(i));
}

void WindowFileList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  Store(i, grid_.GetPath(i), GetPath(i), result);
}

void WindowFileList::Store(std::int32_t entry, const QString& shown,
                           const std::filesystem::path& path, const engine::ScriptResult& result) {
  const QString reason = Translated(result.reason);
  if (entry >= 0) {
    grid_.SetValue(result.code, entry, 0);
    grid_.Line(entry).ResultReason = reason;
  }
  tally_.Add(result);
  if (result.announce) {
    // A reason that names its script ("Can't read from PATH.") stands alone.
    announced_.append(result.reason.Names(path) ? reason : shown + QStringLiteral(": ") + reason);
  }
}

FolderRunFileList::FolderRunFileList(filelist::TFileGrid& grid,
                                     std::vector<std::filesystem::path> folders, Results results)
    : WindowFileList(grid), folders_(std::move(folders)), results_(results) {
  for (std::int32_t i = 0; i < grid.Count(); ++i) {
    const engine::UndoTarget target = engine::UndoTargetOf(EnginePath(grid.GetPath(i)));
    entries_.emplace(target.folder / target.script, i);
  }
}

void FolderRunFileList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  StoreUnlistedResult(GetPath(i), result);
}

void FolderRunFileList::StoreUnlistedResult(const std::filesystem::path& script,
                                            const engine::ScriptResult& result) {
  const auto listed = entries_.find(script);
  const QString shown =
      listed != entries_.end() ? grid_.GetPath(listed->second) : QFile::decodeName(script.c_str());
  const bool intoTheGrid = results_ == Results::IntoTheGrid && listed != entries_.end();
  Store(intoTheGrid ? listed->second : -1, shown, script, result);
  if (result.code == engine::kFailed && firstFailure_.isEmpty()) {
    firstFailure_ = QFile::decodeName(script.filename().c_str()) + QStringLiteral(": ") +
                    Translated(result.reason);
  }
}

std::filesystem::path PreviewFileList::GetPath(std::int32_t i) const {
  return EnginePath(grid_.GetPath(i));
}

void PreviewFileList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  if (result.code == engine::kNotProcessed) return;
  entries_.push_back({grid_.GetPath(i), result});
}

engine::PreviewedScripts PreviewFileList::Previewed() const {
  engine::PreviewedScripts previewed;
  for (const PreviewEntry& entry : entries_) {
    engine::PreviewedScript& script = previewed[EnginePath(entry.path)];
    script = {entry.result.identity, entry.result.newContent, std::nullopt};
    if (entry.result.code == engine::kFailed) script.failure = entry.result.reason;
  }
  return previewed;
}

std::filesystem::path SingleFileList::GetPath(std::int32_t) const { return EnginePath(path_); }

}  // namespace nosk::ui
