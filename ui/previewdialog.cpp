#include "ui/previewdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/runtally.h"
#include "ui/changeview.h"
#include "ui/dialogsize.h"
#include "ui/messagetext.h"

namespace nosk::ui {
namespace {

QString ResultWords(const engine::ScriptResult& result) {
  if (result.code == engine::kFailed) return PreviewDialog::tr("Error");
  if (result.code == 0) return PreviewDialog::tr("unchanged");
  return PreviewDialog::tr("lines changed: %1").arg(result.changedLines);
}

}  // namespace

PreviewDialog::PreviewDialog(const QString& title, std::vector<PreviewEntry> entries,
                             std::function<engine::ScriptResult(const QString& path)> changesOf,
                             QWidget* parent)
    : QDialog(parent),
      entries_(std::move(entries)),
      changesOf_(std::move(changesOf)),
      shown_(new QComboBox(this)),
      scripts_(new QTableWidget(this)),
      script_(new QLabel(this)),
      changes_(new ChangeView(this)),
      totals_(new QLabel(this)) {
  setObjectName(QStringLiteral("PreviewDialog"));
  setWindowTitle(title);
  shown_->setObjectName(QStringLiteral("cmbPreviewShow"));
  shown_->addItems({tr("All scripts"), tr("Only the scripts that would change"),
                    tr("Only the scripts that failed")});
  auto* shownLabel = new QLabel(tr("&Show:"), this);
  shownLabel->setBuddy(shown_);
  scripts_->setObjectName(QStringLiteral("lstPreviewScripts"));
  scripts_->setColumnCount(3);
  scripts_->setHorizontalHeaderLabels({tr("Script"), tr("Found"), tr("What the run would do")});
  scripts_->setSelectionBehavior(QAbstractItemView::SelectRows);
  scripts_->setSelectionMode(QAbstractItemView::SingleSelection);
  scripts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  scripts_->verticalHeader()->hide();
  scripts_->horizontalHeader()->setStretchLastSection(true);
  scripts_->setRowCount(static_cast<int>(entries_.size()));
  engine::RunTally tally;
  for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
    const PreviewEntry& entry = entries_[static_cast<std::size_t>(row)];
    tally.Add(entry.result);
    auto* name = new QTableWidgetItem(QFileInfo(entry.path).fileName());
    name->setToolTip(entry.path);
    scripts_->setItem(row, 0, name);
    scripts_->setItem(row, 1,
                      new QTableWidgetItem(entry.result.code == engine::kFailed
                                               ? tr("Error")
                                               : QString::number(entry.result.code)));
    QString what = ResultWords(entry.result);
    if (!entry.result.reason.empty())
      what += QStringLiteral(": ") + Translated(entry.result.reason);
    scripts_->setItem(row, 2, new QTableWidgetItem(what));
  }
  scripts_->resizeColumnsToContents();
  totals_->setObjectName(QStringLiteral("lblPreviewTotals"));
  int overlapping = 0;
  for (const PreviewEntry& entry : entries_) overlapping += entry.result.overlappingLines > 0;
  QString totals = tr("Scripts that would change: %1, unchanged: %2, failed: %3.")
                       .arg(tally.changed)
                       .arg(tally.unchanged)
                       .arg(tally.failed);
  // The timing-shift replacement puts lines in that may run into the line after them.
  if (overlapping > 0) {
    totals += QStringLiteral(" ") +
              tr("In %1 of them, new lines end after the event line that follows them starts.")
                  .arg(overlapping);
  }
  totals_->setText(totals);
  totals_->setWordWrap(true);
  script_->setObjectName(QStringLiteral("lblPreviewScript"));
  script_->setWordWrap(true);
  script_->setTextFormat(Qt::RichText);
  script_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long path wraps nowhere: it is cut at the dialog's edge rather than widen the dialog.
  script_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  changes_->setObjectName(QStringLiteral("txtPreviewChanges"));

  auto* buttons = new QDialogButtonBox(this);
  apply_ = buttons->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
  apply_->setObjectName(QStringLiteral("btnPreviewApply"));
  apply_->setToolTip(
      tr("Write exactly what is shown; a script changed on disk since is left alone"));
  apply_->setEnabled(tally.changed > 0);
  QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("btnPreviewClose"));
  close->setToolTip(tr("Close the preview without writing anything"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  // The list and the selected script's lines share the height; either may be small.
  auto* lines = new QWidget(this);
  auto* linesLayout = new QVBoxLayout(lines);
  linesLayout->setContentsMargins(0, 0, 0, 0);
  linesLayout->addWidget(script_);
  linesLayout->addWidget(changes_, 1);
  scripts_->setMinimumHeight(60);
  changes_->setMinimumHeight(60);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(scripts_);
  splitter->addWidget(lines);
  splitter->setStretchFactor(1, 2);
  auto* shownRow = new QHBoxLayout;
  shownRow->addWidget(shownLabel);
  shownRow->addWidget(shown_);
  shownRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(shownRow);
  layout->addWidget(splitter, 1);
  layout->addWidget(totals_);
  layout->addWidget(buttons);

  connect(scripts_, &QTableWidget::currentCellChanged, this, [this](int row) { ShowScript(row); });
  connect(shown_, &QComboBox::currentIndexChanged, this,
          [this](int index) { ShowOnly(static_cast<Shown>(index)); });
  // The first script that would change is shown first.
  int first = 0;
  for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
    if (entries_[static_cast<std::size_t>(row)].result.code > 0) {
      first = row;
      break;
    }
  }
  if (!entries_.empty()) SelectRow(first);
  SizeToScreen(*this, QSize(900, 600));
}

void PreviewDialog::ShowOnly(Shown shown) {
  if (shown_->currentIndex() != static_cast<int>(shown)) {
    shown_->setCurrentIndex(static_cast<int>(shown));  // comes back here through the signal
    return;
  }
  int firstShown = -1;
  for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
    const std::int32_t code = entries_[static_cast<std::size_t>(row)].result.code;
    const bool show = shown == Shown::All || (shown == Shown::Changing && code > 0) ||
                      (shown == Shown::Failed && code == engine::kFailed);
    scripts_->setRowHidden(row, !show);
    if (show && firstShown < 0) firstShown = row;
  }
  const int current = scripts_->currentRow();
  if (current >= 0 && !scripts_->isRowHidden(current)) return;
  if (firstShown >= 0) {
    SelectRow(firstShown);
  } else {
    scripts_->setCurrentCell(-1, -1);
    ShowScript(-1);
  }
}

void PreviewDialog::SelectRow(int row) {
  // A new current row is shown by the table's signal; the current one is shown again.
  if (scripts_->currentRow() == row) {
    ShowScript(row);
  } else {
    scripts_->setCurrentCell(row, 0);
  }
}

void PreviewDialog::ShowScript(int row) {
  changes_->clear();
  if (row < 0 || row >= static_cast<int>(entries_.size())) {
    script_->setText(tr("No script of this kind."));
    return;
  }
  const PreviewEntry& entry = entries_[static_cast<std::size_t>(row)];
  const engine::ScriptResult& result = entry.result;
  QString said;
  if (result.code == engine::kFailed) {
    said = tr("Error: %1").arg(Translated(result.reason));
  } else if (result.code == 0) {
    if (result.nearMiss) {
      said = NearMissSentence(*result.nearMiss);
      changes_->ShowNearMiss(*result.nearMiss);
    } else {
      said = tr("The run would not change it.");
    }
  } else {
    const engine::ScriptResult again = changesOf_(entry.path);
    if (!again.identity.SameVersion(result.identity) || again.newContent != result.newContent) {
      said = tr("It changed on disk since the preview: Apply will leave it alone.");
    }
    changes_->ShowChanges(again.changes);
  }
  QString text = QStringLiteral("<b>%1</b>").arg(entry.path.toHtmlEscaped());
  if (!said.isEmpty()) text += QStringLiteral("<br>") + said.toHtmlEscaped();
  script_->setText(text);
}

}  // namespace nosk::ui
