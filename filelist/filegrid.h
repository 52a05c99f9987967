// The file list: the scripts a run works on, each with its shortened display name, check state
// and the result of the last run.
#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <memory>
#include <vector>

namespace nosk::filelist {

// Measures the pixel width of a text in the font the list is drawn with.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual int TextWidth(const QString& text) const = 0;
};

// False when the path holds a character no file name may hold: NUL; on Windows also / * ? " < >
// and |. The folder separator and the colon are allowed.
bool IsValidPath(const QString& path);

// One entry of the list. Its display name is rebuilt against the list's current column width.
class TFileGridLine {
 public:
  TFileGridLine(const TextMeasurer& canvas, const std::int32_t& columnWidth,
                std::int32_t valueCount, QChar separator);

  // False, changing nothing, when IsValidPath refuses the path.
  bool SetPath(const QString& path);
  // False when the slot is outside 0..ValueCount-1.
  bool SetValue(std::int32_t value, std::int32_t slot);
  // Rebuilds DisplayName: the path shortened with "..." until it fits the column.
  void UpdateDisplayName();

  QString Path;
  QString DisplayName;
  std::int32_t ValueCount;
  QVector<std::int32_t> Values;  // value 0 is the result code
  bool Checked = true;
  // Why the last run failed for this file (result -1), or what it must know besides a count;
  // shown as the result's hint.
  QString ResultReason;

 private:
  const TextMeasurer& canvas_;
  const std::int32_t& columnWidth_;
  QChar separator_;
};

// The list, at most kCapacity entries, kept in the order its users give it.
class TFileGrid {
 public:
  static constexpr std::int32_t kCapacity = 1000;

  // A width outside 20..2000 becomes 400; a value count below 1 becomes 1. `separator` is the
  // folder separator the display names are shortened at.
  TFileGrid(const TextMeasurer& canvas, std::int32_t columnWidth, std::int32_t valueCount,
            QChar separator = QChar('/'));

  // Appends an entry for the path and returns its index; -1, changing nothing, when the path is
  // not valid or the list is full. No duplicate test, no sorting.
  std::int32_t Add(const QString& path);
  // Whether an entry has exactly this path (letter case counts).
  bool Contains(const QString& path) const;
  bool Delete(std::int32_t i);
  void Clear();
  // False, changing nothing, for a width outside 20..2000 or equal to the current one;
  // otherwise every display name is rebuilt.
  bool SetColumnWidth(std::int32_t width);
  bool GetChecked(std::int32_t i) const;
  // The new state, or false when i is out of range.
  bool SetChecked(std::int32_t i, bool state);
  bool ToggleChecked(std::int32_t i);
  bool SetValue(std::int32_t value, std::int32_t i, std::int32_t slot);
  bool Swap(std::int32_t i, std::int32_t j);
  // Orders the entries by path as UTF-16 code units; true when anything moved.
  bool Sort();
  // For an index out of range: the empty text.
  QString GetPath(std::int32_t i) const;
  QString GetDisplayName(std::int32_t i) const;

  std::int32_t Count() const { return static_cast<std::int32_t>(lines_.size()); }
  std::int32_t ColumnWidth() const { return columnWidth_; }
  std::int32_t ValueCount() const { return valueCount_; }
  // Entry i, for i in range.
  TFileGridLine& Line(std::int32_t i) { return *lines_[static_cast<std::size_t>(i)]; }
  const TFileGridLine& Line(std::int32_t i) const { return *lines_[static_cast<std::size_t>(i)]; }

 private:
  bool InRange(std::int32_t i) const { return i >= 0 && i < Count(); }

  const TextMeasurer& canvas_;
  std::int32_t columnWidth_;
  std::int32_t valueCount_;
  QChar separator_;
  std::vector<std::unique_ptr<TFileGridLine>> lines_;
};

}  // namespace nosk::filelist
