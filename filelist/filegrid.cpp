#include "filelist/filegrid.h"

#include <algorithm>

namespace nosk::filelist {
namespace {

// The shortening rules work on 1-based positions, as they are stated.
int Len(const QString& x) { return static_cast<int>(x.size()); }

// Position of the first occurrence of t in x, 0 when there is none.
int Find(const QString& x, const QString& t) { return static_cast<int>(x.indexOf(t)) + 1; }

// n characters from position i: empty when i is past the end or n < 1; a start below 1 counts as
// 1 (n is not reduced for that); n is cut to the characters that remain.
QString Sub(const QString& x, int i, int n) {
  if (i > Len(x) || n < 1) return {};
  i = std::max(i, 1);
  n = std::min(n, Len(x) - i + 1);
  return x.mid(i - 1, n);
}

// Everything from position i on (all of x when i is below 1).
QString Rest(const QString& x, int i) { return Sub(x, i, Len(x) - i + 1); }

}  // namespace

bool IsValidPath(const QString& path) {
#ifdef _WIN32
  static const QString kRefused = QStringLiteral("/*?\"<>|");
#else
  // Only NUL can never be in a name here ("/" separates them); "Who Are You?.ass" is a name.
  static const QString kRefused;
#endif
  return std::none_of(path.begin(), path.end(),
                      [](QChar c) { return c.isNull() || kRefused.contains(c); });
}

TFileGridLine::TFileGridLine(const TextMeasurer& canvas, const std::int32_t& columnWidth,
                             std::int32_t valueCount, QChar separator)
    : ValueCount(valueCount > 0 ? valueCount : 1),
      Values(ValueCount, 0),
      canvas_(canvas),
      columnWidth_(columnWidth),
      separator_(separator) {}

bool TFileGridLine::SetPath(const QString& path) {
  if (!IsValidPath(path)) return false;
  if (path != Path) {
    Path = path;
    UpdateDisplayName();
  }
  return true;
}

bool TFileGridLine::SetValue(std::int32_t value, std::int32_t slot) {
  if (slot < 0 || slot >= ValueCount) return false;
  Values[slot] = value;
  return true;
}

void TFileGridLine::UpdateDisplayName() {
  const int room = columnWidth_ - 6;  // the cell's margins
  const auto fits = [&](const QString& text) { return canvas_.TextWidth(text) <= room; };
  const QString sep(separator_);
  const QString dots = QStringLiteral("...");

  // 1. The whole path.
  if (fits(Path)) {
    DisplayName = Path;
    return;
  }
  // 2. The root that stays: a drive, a network share (server and share name too), or a first
  //    folder that is short enough.
  QString rest = Path;
  QString head;
  int keep = 0;
  if (int k = Find(rest, QStringLiteral(":") + sep); k > 0) {
    head = Sub(rest, 1, k + 1);
    rest = Rest(rest, k + 2);
  } else if (k = Find(rest, sep + sep); k > 0) {
    head = Sub(rest, 1, k + 1);
    rest = Rest(rest, k + 2);
    keep = 2;
  } else if (k = Find(rest, sep); k > 0 && k <= Len(rest) / 2) {
    head = Sub(rest, 1, k);
    rest = Rest(rest, k + 1);
    keep = 1;
  }
  // 3. Folders dropped one by one after the ones kept.
  bool dropped = false;
  for (;;) {
    const int k = Find(rest, sep);
    if (k == 0 || k == Len(rest)) break;
    if (keep > 0) {
      head += Sub(rest, 1, k);
      rest = Rest(rest, k + 1);
      --keep;
      continue;
    }
    rest = Rest(rest, k + 1);
    const QString candidate = head + dots + sep + rest;
    if (fits(candidate)) {
      DisplayName = candidate;
      return;
    }
    dropped = true;
  }
  if (dropped) {
    // 4. The start of the file name dropped too, a character more each time.
    for (int i = 4; i <= Len(rest) - 8; ++i) {
      const QString candidate = head + dots + Rest(rest, i);
      if (fits(candidate)) {
        DisplayName = candidate;
        return;
      }
    }
    DisplayName = head + dots + sep + rest;
    return;
  }
  // 5. The middle of the name dropped, the shortest candidate first.
  const int half = (Len(rest) - 8) / 2;
  for (int m = half - 1; m >= 3; --m) {
    const QString candidate =
        head + Sub(rest, 1, half - m) + dots + Sub(rest, m + half + 1, Len(rest) - m - half);
    if (fits(candidate)) {
      DisplayName = candidate;
      return;
    }
  }
  DisplayName = head + dots + Rest(rest, Len(rest) - 8);
}

TFileGrid::TFileGrid(const TextMeasurer& canvas, std::int32_t columnWidth, std::int32_t valueCount,
                     QChar separator)
    : canvas_(canvas),
      columnWidth_(columnWidth >= 20 && columnWidth <= 2000 ? columnWidth : 400),
      valueCount_(valueCount > 0 ? valueCount : 1),
      separator_(separator) {}

std::int32_t TFileGrid::Add(const QString& path) {
  if (!IsValidPath(path) || Count() >= kCapacity) return -1;
  lines_.push_back(std::make_unique<TFileGridLine>(canvas_, columnWidth_, valueCount_, separator_));
  lines_.back()->SetPath(path);
  return Count() - 1;
}

bool TFileGrid::Contains(const QString& path) const {
  return std::any_of(lines_.begin(), lines_.end(),
                     [&](const auto& line) { return line->Path == path; });
}

bool TFileGrid::Delete(std::int32_t i) {
  if (!InRange(i)) return false;
  lines_.erase(lines_.begin() + i);
  return true;
}

void TFileGrid::Clear() { lines_.clear(); }

bool TFileGrid::SetColumnWidth(std::int32_t width) {
  if (width < 20 || width > 2000 || width == columnWidth_) return false;
  columnWidth_ = width;
  for (auto& line : lines_) line->UpdateDisplayName();
  return true;
}

bool TFileGrid::GetChecked(std::int32_t i) const { return InRange(i) && Line(i).Checked; }

bool TFileGrid::SetChecked(std::int32_t i, bool state) {
  if (!InRange(i)) return false;
  Line(i).Checked = state;
  return state;
}

bool TFileGrid::ToggleChecked(std::int32_t i) {
  if (!InRange(i)) return false;
  return SetChecked(i, !Line(i).Checked);
}

bool TFileGrid::SetValue(std::int32_t value, std::int32_t i, std::int32_t slot) {
  return InRange(i) && Line(i).SetValue(value, slot);
}

bool TFileGrid::Swap(std::int32_t i, std::int32_t j) {
  if (!InRange(i) || !InRange(j) || i == j) return false;
  std::swap(lines_[static_cast<std::size_t>(i)], lines_[static_cast<std::size_t>(j)]);
  return true;
}

bool TFileGrid::Sort() {
  // QString orders by UTF-16 code units, so capitals come before small letters.
  const auto byPath = [](const auto& a, const auto& b) { return a->Path < b->Path; };
  if (std::is_sorted(lines_.begin(), lines_.end(), byPath)) return false;
  std::stable_sort(lines_.begin(), lines_.end(), byPath);
  return true;
}

QString TFileGrid::GetPath(std::int32_t i) const { return InRange(i) ? Line(i).Path : QString(); }

QString TFileGrid::GetDisplayName(std::int32_t i) const {
  return InRange(i) ? Line(i).DisplayName : QString();
}

}  // namespace nosk::filelist
