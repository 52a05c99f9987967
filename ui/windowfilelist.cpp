#include "ui/windowfilelist.h"

#include <QFile>

#include "ui/messagetext.h"

namespace nosk::ui {

std::filesystem::path EnginePath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::filesystem::path WindowFileList::GetPath(std::int32_t i) const {
  return EnginePath(grid_.GetPath(i));
}

void WindowFileList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  grid_.SetValue(result.code, i, 0);
  const QString reason = Translated(result.reason);
  grid_.Line(i).ResultReason = reason;
  tally_.Add(result);
  if (result.announce) {
    // A reason that names its script ("Can't read from PATH.") stands alone.
    announced_.append(result.reason.Names(GetPath(i))
                          ? reason
                          : grid_.GetPath(i) + QStringLiteral(": ") + reason);
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
