// The file list as the grid shows it: a check box, the shortened name and the result.
#pragma once

#include <QAbstractTableModel>

#include "filelist/filegrid.h"

namespace nosk::ui {

// The text of a result code: empty for "not processed", "Error" for a failure, else the count.
QString ResultText(std::int32_t result);

// Row i shows entry i. With no entries there is still one row, empty and without a check box.
// A click on a check box changes nothing here: it is reported, and the window decides.
class FileGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kCheckColumn = 0, kNameColumn = 1, kResultColumn = 2 };

  FileGridModel(const filelist::TFileGrid& grid, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Shows the list anew, after entries were added, removed or reordered.
  void Rebuild();
  // Shows an entry's check box, name or result anew.
  void EntryChanged(int entry, Column column);
  // Shows a column of every entry anew: the names (the column width changed), or the results.
  void ColumnChanged(Column column);

 signals:
  void CheckBoxClicked(int entry);

 private:
  const filelist::TFileGrid& grid_;
};

}  // namespace nosk::ui
