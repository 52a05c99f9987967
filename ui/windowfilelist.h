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

 private:
  filelist::TFileGrid& grid_;
  engine::RunTally tally_;
  QStringList announced_;
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
