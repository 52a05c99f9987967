#include "ui/historydialog.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>

#include "engine/history.h"
#include "script/scriptlocation.h"
#include "ui/dialogsize.h"
#include "ui/messagetext.h"

namespace nosk::ui {
namespace {

QString Who(unsigned user) {
  return Translated(script::Message(script::MessageId::Verbatim, {script::UserName(user)}));
}

// Whether the runner may take back a run of `user`: their own, or anyone's for root, as the
// command line's undo --user.
bool MayTakeBack(unsigned user) {
  const unsigned runner = static_cast<unsigned>(::geteuid());
  return runner == 0 || runner == user;
}

}  // namespace

std::vector<HistoryRun> HistoryDialog::RunsOf(const std::vector<std::filesystem::path>& folders,
                                              QStringList& problems) {
  struct Listed {
    HistoryRun run;
    std::size_t order = 0;  // the later recorded, the higher
  };
  std::vector<Listed> listed;
  std::map<std::string, std::size_t> byId;
  std::size_t order = 0;
  for (const std::filesystem::path& folder : folders) {
    engine::JournalReading reading;
    if (script::Outcome read = engine::RunHistory(folder, reading); !read) {
      problems.append(Translated(read.message()));
      continue;
    }
    for (const script::Message& problem : reading.problems) problems.append(Translated(problem));
    if (reading.leftOut > 0) {
      problems.append(tr("%1: %2 older runs are not shown.")
                          .arg(QFile::decodeName(folder.c_str()))
                          .arg(reading.leftOut));
    }
    const std::set<std::string> takenBack = engine::TakenBackRuns(reading.records);
    for (const engine::JournalRecord& record : reading.records) {
      auto [at, added] = byId.try_emplace(record.id, listed.size());
      if (added) {
        Listed entry;
        entry.run.id = record.id;
        entry.run.time = record.time;
        entry.run.summary = record.summary;
        entry.run.user = record.user;
        listed.push_back(std::move(entry));
      }
      Listed& entry = listed[at->second];
      entry.order = ++order;
      entry.run.scripts += record.scripts.size();
      entry.run.folders.push_back(folder);
      entry.run.interrupted = entry.run.interrupted || record.interrupted;
      entry.run.takenBack = entry.run.takenBack || takenBack.contains(record.id);
    }
  }
  std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
    return a.run.time != b.run.time ? a.run.time > b.run.time : a.order > b.order;
  });
  std::vector<HistoryRun> runs;
  runs.reserve(listed.size());
  for (Listed& entry : listed) runs.push_back(std::move(entry.run));
  return runs;
}

HistoryDialog::HistoryDialog(const std::vector<std::filesystem::path>& folders, Assessment assess,
                             QWidget* parent)
    : QDialog(parent),
      assess_(std::move(assess)),
      list_(new QTableWidget(this)),
      note_(new QLabel(this)),
      problems_(new QLabel(this)) {
  setObjectName(QStringLiteral("HistoryDialog"));
  setWindowTitle(tr("History"));
  QStringList problems;
  runs_ = RunsOf(folders, problems);

  list_->setObjectName(QStringLiteral("lstHistory"));
  list_->setColumnCount(6);
  list_->setHorizontalHeaderLabels(
      {tr("Time"), tr("Operation"), tr("Scripts"), tr("Who"), tr("Folder"), tr("State")});
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setRowCount(static_cast<int>(runs_.size()));
  for (int row = 0; row < static_cast<int>(runs_.size()); ++row) {
    const HistoryRun& run = runs_[static_cast<std::size_t>(row)];
    QStringList where;
    for (const std::filesystem::path& folder : run.folders) {
      where.append(QFile::decodeName(folder.c_str()));
    }
    QString state;
    if (run.takenBack) state = tr("taken back");
    if (run.interrupted) state = tr("stopped before it ended");
    const QStringList cells = {QString::fromStdString(run.time), Translated(run.summary),
                               QString::number(run.scripts),     Who(run.user),
                               where.join(QStringLiteral(", ")), state};
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setToolTip(cells[column]);
      list_->setItem(row, column, item);
    }
  }
  list_->resizeColumnsToContents();

  note_->setObjectName(QStringLiteral("lblHistoryNote"));
  note_->setWordWrap(true);
  problems_->setObjectName(QStringLiteral("lblHistoryProblems"));
  problems_->setWordWrap(true);
  problems_->setText(problems.join(QStringLiteral("\n")));
  problems_->setVisible(!problems.isEmpty());

  auto* buttons = new QDialogButtonBox(this);
  takeBack_ = buttons->addButton(tr("&Take Back"), QDialogButtonBox::AcceptRole);
  takeBack_->setObjectName(QStringLiteral("btnHistoryTakeBack"));
  takeBack_->setToolTip(
      tr("Give the scripts of the selected run their versions before it, where "
         "they are still as the run left them"));
  takeBack_->setEnabled(false);
  QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("btnHistoryClose"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(note_);
  layout->addWidget(problems_);
  layout->addWidget(buttons);
  SizeToScreen(*this, QSize(800, 400));

  connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) { ShowRun(row); });
  if (runs_.empty()) {
    note_->setText(tr("No run is recorded in the folders of the listed scripts."));
  } else {
    SelectRow(0);
  }
}

void HistoryDialog::SelectRow(int row) {
  if (list_->currentRow() == row) {
    ShowRun(row);
  } else {
    list_->setCurrentCell(row, 0);
  }
}

const HistoryRun* HistoryDialog::Chosen() const {
  const int row = list_->currentRow();
  if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(runs_.size())) {
    return nullptr;
  }
  return &runs_[static_cast<std::size_t>(row)];
}

void HistoryDialog::ShowRun(int row) {
  takeBack_->setEnabled(false);
  if (row < 0 || row >= static_cast<int>(runs_.size())) {
    note_->clear();
    return;
  }
  const HistoryRun& run = runs_[static_cast<std::size_t>(row)];
  if (!MayTakeBack(run.user)) {
    note_->setText(tr("Only %1 can take back this run.").arg(Who(run.user)));
    return;
  }
  bool restores = false;
  note_->setText(assess_(run, restores));
  takeBack_->setEnabled(restores);
}

}  // namespace nosk::ui
