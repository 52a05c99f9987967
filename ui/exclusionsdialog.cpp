#include "ui/exclusionsdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialogsize.h"

namespace nosk::ui {
namespace {

std::vector<std::string> Names(const QStringList& list) {
  std::vector<std::string> names;
  for (const QString& name : list) names.push_back(name.toStdString());
  return names;
}

// The names, each once, in order: those used in the scripts and those the choice keeps.
QListWidget* NameList(const std::vector<std::string>& used, const QStringList& checked,
                      const char* objectName, QWidget* parent) {
  QStringList names = checked;
  for (const std::string& name : used) names.append(QString::fromStdString(name));
  names.removeDuplicates();
  names.sort();
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(objectName));
  for (const QString& name : names) {
    auto* item = new QListWidgetItem(name, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(checked.contains(name) ? Qt::Checked : Qt::Unchecked);
  }
  return list;
}

QStringList CheckedNames(const QListWidget* list) {
  QStringList names;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->checkState() == Qt::Checked) names.append(list->item(row)->text());
  }
  return names;
}

}  // namespace

engine::EventFilter ExclusionChoice::Filter() const {
  engine::EventFilter filter;
  (onlyChecked ? filter.onlyStyles : filter.skipStyles) = Names(styles);
  (onlyChecked ? filter.onlyActors : filter.skipActors) = Names(actors);
  filter.skipComments = skipComments;
  return filter;
}

void ExclusionChoice::Save(QSettings& settings) const {
  settings.setValue("exclusions/seen", onlyChecked ? "only" : "allBut");
  settings.setValue("exclusions/styles", styles);
  settings.setValue("exclusions/actors", actors);
  settings.setValue("exclusions/skipComments", skipComments);
}

void ExclusionChoice::Restore(const QSettings& settings) {
  onlyChecked = settings.value("exclusions/seen").toString() == QStringLiteral("only");
  styles = settings.value("exclusions/styles").toStringList();
  actors = settings.value("exclusions/actors").toStringList();
  skipComments = settings.value("exclusions/skipComments", false).toBool();
}

QString ExclusionsButtonHint() {
  return ExclusionsDialog::tr(
      "Choose the styles and actors the run sees, and whether it sees Comment: lines; the lines "
      "left out are never matched nor changed");
}

ExclusionsDialog::ExclusionsDialog(const ExclusionChoice& choice,
                                   const std::vector<std::string>& styles,
                                   const std::vector<std::string>& actors, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("dlgExclusions"));
  setWindowTitle(tr("Exclusions"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Styles"), this), 0, 0);
  grid->addWidget(new QLabel(tr("Actors"), this), 0, 1);
  lstExclusionStyles_ = NameList(styles, choice.styles, "lstExclusionStyles", this);
  lstExclusionStyles_->setToolTip(tr("The styles of the listed scripts' event lines"));
  lstExclusionActors_ = NameList(actors, choice.actors, "lstExclusionActors", this);
  lstExclusionActors_->setToolTip(tr("The actors (Name field) of the listed scripts' event lines"));
  grid->addWidget(lstExclusionStyles_, 1, 0);
  grid->addWidget(lstExclusionActors_, 1, 1);

  rbnExclusionsOnly_ = new QRadioButton(tr("The run sees only the checked ones"), this);
  rbnExclusionsOnly_->setObjectName(QStringLiteral("rbnExclusionsOnly"));
  rbnExclusionsOnly_->setToolTip(
      tr("Only lines of a checked style (and of a checked actor, where any is checked)"));
  rbnExclusionsAllBut_ = new QRadioButton(tr("The run sees all but the checked ones"), this);
  rbnExclusionsAllBut_->setObjectName(QStringLiteral("rbnExclusionsAllBut"));
  rbnExclusionsAllBut_->setToolTip(tr("Every line but those of a checked style or actor"));
  (choice.onlyChecked ? rbnExclusionsOnly_ : rbnExclusionsAllBut_)->setChecked(true);
  chkExclusionsSkipComments_ = new QCheckBox(tr("Skip Comment: lines"), this);
  chkExclusionsSkipComments_->setObjectName(QStringLiteral("chkExclusionsSkipComments"));
  chkExclusionsSkipComments_->setToolTip(
      tr("Comment: lines are left out, so that one inside a block does not break it"));
  chkExclusionsSkipComments_->setChecked(choice.skipComments);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("btnExclusionsOK"));
  ok->setDefault(true);
  buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("btnExclusionsCancel"));
  QPushButton* clear = buttons->addButton(tr("C&lear"), QDialogButtonBox::ResetRole);
  clear->setObjectName(QStringLiteral("btnExclusionsClear"));
  clear->setToolTip(tr("Uncheck every name: the run sees every line"));
  connect(clear, &QPushButton::clicked, this, [this] {
    for (QListWidget* list : {lstExclusionStyles_, lstExclusionActors_}) {
      for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
    }
    chkExclusionsSkipComments_->setChecked(false);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(rbnExclusionsOnly_);
  layout->addWidget(rbnExclusionsAllBut_);
  layout->addWidget(chkExclusionsSkipComments_);
  layout->addWidget(buttons);
  SizeToScreen(*this, QSize(480, 400));
}

ExclusionChoice ExclusionsDialog::Choice() const {
  ExclusionChoice choice;
  choice.onlyChecked = rbnExclusionsOnly_->isChecked();
  choice.styles = CheckedNames(lstExclusionStyles_);
  choice.actors = CheckedNames(lstExclusionActors_);
  choice.skipComments = chkExclusionsSkipComments_->isChecked();
  return choice;
}

}  // namespace nosk::ui
