#include "ui/previewdialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "engine/runtally.h"
#include "ui/changeview.h"
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
      scripts_(new QTableWidget(this)),
      changes_(new QTextBrowser(this)),
      totals_(new QLabel(this)) {
  setObjectName(QStringLiteral("PreviewDialog"));
  setWindowTitle(title);
  resize(900, 600);
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
  changes_->setObjectName(QStringLiteral("txtPreviewChanges"));
  changes_->setLineWrapMode(QTextEdit::NoWrap);

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

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(scripts_);
  splitter->addWidget(changes_);
  splitter->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  layout->addWidget(totals_);
  layout->addWidget(buttons);

  connect(scripts_, &QTableWidget::currentCellChanged, this, [this](int row) { ShowScript(row); });
  // The first script that would change is shown first.
  int first = 0;
  for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
    if (entries_[static_cast<std::size_t>(row)].result.code > 0) {
      first = row;
      break;
    }
  }
  if (!entries_.empty()) SelectRow(first);
}

void PreviewDialog::SelectRow(int row) {
  scripts_->setCurrentCell(row, 0);
  ShowScript(row);
}

void PreviewDialog::ShowScript(int row) {
  if (row < 0 || row >= static_cast<int>(entries_.size())) {
    changes_->clear();
    return;
  }
  const PreviewEntry& entry = entries_[static_cast<std::size_t>(row)];
  const engine::ScriptResult& result = entry.result;
  QString html = QStringLiteral("<p><b>%1</b></p>").arg(entry.path.toHtmlEscaped());
  if (result.code == engine::kFailed) {
    html += QStringLiteral("<p>%1</p>")
                .arg(tr("Error: %1").arg(Translated(result.reason)).toHtmlEscaped());
  } else if (result.code == 0) {
    html += result.nearMiss ? NearMissHtml(*result.nearMiss)
                            : QStringLiteral("<p>%1</p>").arg(tr("The run would not change it."));
  } else {
    const engine::ScriptResult again = changesOf_(entry.path);
    if (!again.identity.SameVersion(result.identity) || again.newContent != result.newContent) {
      html += QStringLiteral("<p>%1</p>")
                  .arg(tr("It changed on disk since the preview: Apply will leave it alone.")
                           .toHtmlEscaped());
    }
    html += ChangesHtml(again.changes);
  }
  changes_->setHtml(html);
}

}  // namespace nosk::ui
