#include "ui/windowfilelist.h"

#include <QFile>

#include "ui/enginetexts.h"

namespace nosk::ui {

std::filesystem::path EnginePath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::filesystem::path WindowFileList::GetPath(std::int32_t i) const {
  return EnginePath(grid_.GetPath(i));
}

void WindowFileList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  grid_.SetValue(result.code, i, 0);
  grid_.Line(i).ResultReason = TranslatedEngineText(result.reason);
  tally_.Add(result);
  if (result.announce) {
    // A reason that names its script ("Can't read from PATH.") stands alone.
    const QString reason = TranslatedEngineText(result.reason);
    announced_.append(reason.contains(grid_.GetPath(i))
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

std::map<std::filesystem::path, engine::PreviewedScript> PreviewFileList::Previewed() const {
  std::map<std::filesystem::path, engine::PreviewedScript> previewed;
  for (const PreviewEntry& entry : entries_) {
    if (entry.result.code == engine::kFailed) continue;
    previewed[EnginePath(entry.path)] = {entry.result.identity, entry.result.newContent};
  }
  return previewed;
}

std::filesystem::path SingleFileList::GetPath(std::int32_t) const { return EnginePath(path_); }

}  // namespace nosk::ui
