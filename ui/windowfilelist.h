// The window's file list as the file list of a run.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <map>
#include <vector>

#include "engine/filelist.h"
#include "engine/runrequest.h"
#include "engine/runtally.h"
#include "filelist/filegrid.h"
#include "ui/previewdialog.h"

namespace nosk::ui {

// Entries and their check marks are the grid's; a result goes into its entry (the code, and the
// reason as the Result cell's hint) and into the run's tally. What must be told at once is kept
// for one message when the run ends, not a message box per script.
class WindowFileList : public engine::FileList {
 public:
  explicit WindowFileList(filelist::TFileGrid& grid) : grid_(grid) {}

  std::int32_t Count() const override { return grid_.Count(); }
  bool GetChecked(std::int32_t i) const override { return grid_.GetChecked(i); }
  std::filesystem::path GetPath(std::int32_t i) const override;
  void StoreResult(std::int32_t i, const engine::ScriptResult& result) override;

  const engine::RunTally& Tally() const { return tally_; }
  // "path: reason" of each result to be told at once.
  const QStringList& Announced() const { return announced_; }

 protected:
  // A result of a script `shown` as the list has it: into entry `entry` (none: not listed).
  void Store(std::int32_t entry, const QString& shown, const std::filesystem::path& path,
             const engine::ScriptResult& result);

  filelist::TFileGrid& grid_;

 private:
  engine::RunTally tally_;
  QStringList announced_;
};

// Some folders, whole, as the file list of a run (taking back one run of the history): each
// result goes into the tally and, for a run that writes, into the entry that lists its script
// if one does (what a preview would do is no result of the list's). The first result that
// failed is kept, to say why.
class FolderRunFileList : public WindowFileList {
 public:
  enum class Results { IntoTheGrid, TallyOnly };
  FolderRunFileList(filelist::TFileGrid& grid, std::vector<std::filesystem::path> folders,
                    Results results);

  std::int32_t Count() const override { return static_cast<std::int32_t>(folders_.size()); }
  bool GetChecked(std::int32_t) const override { return true; }
  std::filesystem::path GetPath(std::int32_t i) const override {
    return folders_[static_cast<std::size_t>(i)];
  }
  void StoreResult(std::int32_t i, const engine::ScriptResult& result) override;
  void StoreUnlistedResult(const std::filesystem::path& script,
                           const engine::ScriptResult& result) override;

  // "name: reason" of the first script that failed; empty when none did.
  const QString& FirstFailure() const { return firstFailure_; }

 private:
  std::vector<std::filesystem::path> folders_;
  std::map<std::filesystem::path, std::int32_t> entries_;  // the grid's entries, by script
  Results results_;
  QString firstFailure_;
};

// The window's entries as the file list of a preview: the results of the checked ones are kept
// for the preview dialog, and the grid is not touched.
class PreviewFileList : public engine::FileList {
 public:
  explicit PreviewFileList(const filelist::TFileGrid& grid) : grid_(grid) {}

  std::int32_t Count() const override { return grid_.Count(); }
  bool GetChecked(std::int32_t i) const override { return grid_.GetChecked(i); }
  std::filesystem::path GetPath(std::int32_t i) const override;
  void StoreResult(std::int32_t i, const engine::ScriptResult& result) override;

  const std::vector<PreviewEntry>& Entries() const { return entries_; }
  // What applying the preview must find and write, by path.
  engine::PreviewedScripts Previewed() const;

 private:
  const filelist::TFileGrid& grid_;
  std::vector<PreviewEntry> entries_;
};

// One script as a file list: the preview of that script alone.
class SingleFileList : public engine::FileList {
 public:
  explicit SingleFileList(QString path) : path_(std::move(path)) {}

  std::int32_t Count() const override { return 1; }
  bool GetChecked(std::int32_t) const override { return true; }
  std::filesystem::path GetPath(std::int32_t) const override;
  void StoreResult(std::int32_t, const engine::ScriptResult& result) override { result_ = result; }

  const engine::ScriptResult& Result() const { return result_; }

 private:
  QString path_;
  engine::ScriptResult result_;
};

// The path of an entry as the engine takes it: the bytes the file system knows it by.
std::filesystem::path EnginePath(const QString& path);

}  // namespace nosk::ui
