#include "ui/filegridmodel.h"

#include <algorithm>

namespace nosk::ui {

QString ResultText(std::int32_t result) {
  if (result == -2) return {};
  if (result == -1) return FileGridModel::tr("Error");
  return QString::number(result);
}

FileGridModel::FileGridModel(const filelist::TFileGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int FileGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(grid_.Count(), 1);
}

int FileGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant FileGridModel::data(const QModelIndex& index, int role) const {
  const int entry = index.row();
  if (!index.isValid() || entry >= grid_.Count()) return {};
  const filelist::TFileGridLine& line = grid_.Line(entry);
  switch (index.column()) {
    case kCheckColumn:
      if (role == Qt::CheckStateRole) return line.Checked ? Qt::Checked : Qt::Unchecked;
      if (role == Qt::TextAlignmentRole) return Qt::AlignCenter;
      break;
    case kNameColumn:
      if (role == Qt::DisplayRole) return line.DisplayName;
      if (role == Qt::ToolTipRole && line.DisplayName != line.Path) return line.Path;
      break;
    case kResultColumn:
      if (role == Qt::DisplayRole) return ResultText(line.Values[0]);
      if (role == Qt::ToolTipRole && !line.ResultReason.isEmpty()) return line.ResultReason;
      break;
    default:
      break;
  }
  return {};
}

bool FileGridModel::setData(const QModelIndex& index, const QVariant&, int role) {
  if (role != Qt::CheckStateRole || index.column() != kCheckColumn ||
      index.row() >= grid_.Count()) {
    return false;
  }
  emit CheckBoxClicked(index.row());
  return true;
}

Qt::ItemFlags FileGridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kCheckColumn && index.row() < grid_.Count())
    flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant FileGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kNameColumn:
      return tr("Files");
    case kResultColumn:
      return tr("Result");
    default:
      return QString();
  }
}

void FileGridModel::Rebuild() {
  beginResetModel();
  endResetModel();
}

void FileGridModel::EntryChanged(int entry, Column column) {
  const QModelIndex cell = index(entry, column);
  emit dataChanged(cell, cell);
}

void FileGridModel::ColumnChanged(Column column) {
  emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

}  // namespace nosk::ui
