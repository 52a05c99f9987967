#include "ui/textreplacepage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/anchoredgeometry.h"
#include "ui/exclusionsdialog.h"
#include "ui/pagewidgets.h"

namespace nosk::ui {

TextReplacePage::TextReplacePage(AnchoredGeometry& geometry, QWidget* parent) : RunPage(parent) {
  setObjectName(QStringLiteral("pg5"));
  resize(geometry.DesignedSize());
  auto* settings = Named(new QGroupBox(tr("Settings"), this), "grpP5Settings");
  geometry.Place(settings, QRect(0, 0, 237, 171));
  const auto option = [&](const char* name, const QString& caption, const QString& hint, int top,
                          const char* setting) {
    auto* box = Named(new QCheckBox(caption, settings), name);
    box->setGeometry(8, top, 221, 17);
    box->setToolTip(hint);
    options_.push_back({box, setting});
    connect(box, &QCheckBox::toggled, this, &TextReplacePage::Changed);
    return box;
  };
  chkP5Pattern_ = option("chkP5Pattern", tr("Pattern"),
                         tr("Find is a Perl-compatible regular expression; Replace with may use "
                            "$1...$9, ${name} and $$"),
                         18, "pattern");
  chkP5IgnoreCase_ = option("chkP5IgnoreCase", tr("Ignore case"),
                            tr("Compare without case, in every alphabet"), 36, "ignoreCase");
  chkP5WholeWords_ =
      option("chkP5WholeWords", tr("Whole words"),
             tr("Match only where no letter or digit is just before or after"), 54, "wholeWords");
  chkP5InsideTags_ = option("chkP5InsideTags", tr("Search inside tags"),
                            tr("Search the override blocks {...} too; otherwise they are never "
                               "searched nor changed"),
                            72, "insideTags");
  chkP5Comments_ =
      option("chkP5Comments", tr("Include Comment lines"),
             tr("Search the Comment: lines too; otherwise they are left out"), 90, "comments");
  btnP5Exclude_ = Named(new QPushButton(tr("Exclusions..."), settings), "btnP5Exclude");
  btnP5Exclude_->setGeometry(123, 145, 106, 21);
  btnP5Exclude_->setToolTip(ExclusionsButtonHint());
  connect(btnP5Exclude_, &QPushButton::clicked, this, &RunPage::ExclusionsClicked);

  const auto line = [&](const char* box, const QString& title, const char* name, int top,
                        const QString& hint) {
    auto* group = Named(new QGroupBox(title, this), box);
    geometry.Place(group, QRect(0, top, 704, 46), kAnchorLeft | kAnchorRight | kAnchorBottom);
    auto* edit = Named(new QLineEdit(group), name);
    edit->setToolTip(hint);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(edit);
    connect(edit, &QLineEdit::textChanged, this, &TextReplacePage::Changed);
    return edit;
  };
  edP5Find_ =
      line("grpP5Find", tr("Find"), "edP5Find", 177, tr("The text to find inside the lines' Text"));
  edP5With_ = line("grpP5With", tr("Replace with"), "edP5With", 231,
                   tr("What each match becomes; empty: the matches are deleted"));

  btnP5Preview_ = AddBottomButton(geometry, this, "btnP5Preview", tr("&Preview..."), 385);
  btnP5Preview_->setToolTip(tr("See what Replace would change, and apply it from there"));
  btnP5Search_ = AddBottomButton(geometry, this, "btnP5Search", tr("&Search", "button"), 466);
  btnP5Search_->setToolTip(tr("Count the matches in every checked script"));
  btnP5Execute_ = AddBottomButton(geometry, this, "btnP5Execute", tr("&Replace", "button"), 547);
  btnP5Execute_->setToolTip(
      tr("Replace every match in every checked script; the previous versions go to Nosk_backup"));
  AddExitButton(geometry, this, "btnP5Exit");
  connect(btnP5Search_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Count); });
  connect(btnP5Execute_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Write); });
  connect(btnP5Preview_, &QPushButton::clicked, this, &TextReplacePage::PreviewClicked);
}

bool TextReplacePage::ReadSettings(engine::BatchSettings&, bool) const { return true; }

void TextReplacePage::Redraw(bool listed) {
  const bool runs = listed && !edP5Find_->text().isEmpty();
  btnP5Search_->setEnabled(runs);
  btnP5Execute_->setEnabled(runs);
  btnP5Preview_->setEnabled(runs);
  btnP5Exclude_->setEnabled(listed);
}

void TextReplacePage::SaveSettings(QSettings& settings) const {
  settings.setValue("text/find", edP5Find_->text());
  settings.setValue("text/with", edP5With_->text());
  for (const Option& option : options_) {
    settings.setValue(QStringLiteral("text/") + QString::fromLatin1(option.setting),
                      option.box->isChecked());
  }
}

void TextReplacePage::RestoreSettings(const QSettings& settings) {
  edP5Find_->setText(settings.value("text/find").toString());
  edP5With_->setText(settings.value("text/with").toString());
  for (const Option& option : options_) {
    option.box->setChecked(
        settings.value(QStringLiteral("text/") + QString::fromLatin1(option.setting), false)
            .toBool());
  }
}

engine::RunRequest TextReplacePage::Request(const engine::BatchSettings& settings,
                                            engine::RunMode mode) const {
  engine::TextRequest text;
  text.find = edP5Find_->text().toStdString();
  if (mode != engine::RunMode::Count) text.with = edP5With_->text().toStdString();
  text.pattern = chkP5Pattern_->isChecked();
  text.ignoreCase = chkP5IgnoreCase_->isChecked();
  text.wholeWords = chkP5WholeWords_->isChecked();
  text.insideTags = chkP5InsideTags_->isChecked();
  text.includeComments = chkP5Comments_->isChecked();
  text.filter = settings.Exclusions;
  text.codePage = settings.CodePage;
  engine::RunRequest request;
  request.mode = mode;
  request.operation = text;
  return request;
}

QString TextReplacePage::RunName() const { return tr("Text Replace"); }

}  // namespace nosk::ui
