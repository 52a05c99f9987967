#include "ui/scriptreplacepage.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/editortext.h"
#include "ui/advancedsettingspage.h"
#include "ui/anchoredgeometry.h"
#include "ui/exclusionsdialog.h"
#include "ui/pagewidgets.h"

namespace nosk::ui {

using engine::Matching;
using engine::Replacement;

ScriptReplacePage::ScriptReplacePage(AnchoredGeometry& geometry, QWidget* parent)
    : RunPage(parent) {
  setObjectName(QStringLiteral("pg1"));
  resize(geometry.DesignedSize());
  auto* settings = Named(new QGroupBox(tr("Settings"), this), "grpP1Settings");
  geometry.Place(settings, QRect(0, 0, 237, 171));
  const auto label = [settings](const char* name, const QString& caption, QRect bounds) {
    auto* l = Named(new QLabel(caption, settings), name);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(bounds);
    return l;
  };
  label("lblP1SearchMode", tr("Search"), QRect(7, 16, 48, 13))
      ->setToolTip(tr("How event lines are compared with the Search block"));
  label("lblP1ReplaceMode", tr("Replace"), QRect(54, 16, 48, 13))
      ->setToolTip(tr("What the Replace block puts in place of each occurrence"));

  QFrame* searchPanel = FlatPanel(settings, "pnlP1SearchMode", QRect(7, 31, 48, 92));
  QFrame* replacePanel = FlatPanel(settings, "pnlP1ReplaceMode", QRect(54, 31, 48, 92));
  QFrame* labelPanel = FlatPanel(settings, "pnlP1ModeLabels", QRect(101, 31, 128, 92));
  const QString captions[] = {
      {}, tr("None"), tr("Text only"), tr("Text and format"), tr("Timing shift"), tr("Full match")};
  const QString replaceHints[] = {
      {},
      tr("Replace nothing: only Search runs"),
      tr("Give the matched lines the Text of the Replace lines; everything else stays"),
      tr("Put the Replace lines in, with the times of the lines they replace"),
      tr("Put the Replace lines in, moved to start where each occurrence starts"),
      tr("Put the Replace lines in as they are typed"),
  };
  // Each row's modes: its search mode (rows 1 and 4 have none) and its replace mode.
  const Matching rowMatching[] = {
      Matching::FullMatch,     Matching::FullMatch,           Matching::TextOnly,
      Matching::TextAndFormat, Matching::FullMatchWithOffset, Matching::FullMatch};
  const struct {
    Replacement mode;
    const char* setting;
  } rowReplacement[] = {{Replacement::None, ""},
                        {Replacement::None, "none"},
                        {Replacement::TextOnly, "text"},
                        {Replacement::TextAndFormat, "format"},
                        {Replacement::TimingShift, "timing"},
                        {Replacement::FullMatch, "full"}};
  // The longest names fit their designed width only slightly narrowed.
  QFont labelFont = font();
  labelFont.setStretch(90);
  for (int row = 1; row <= 5; ++row) {
    const int top = 4 + 16 * (row - 1);
    const QByteArray n = QByteArray::number(row);
    rbnP1SearchMode_[row] =
        Radio(searchPanel, ("rbnP1SearchMode" + n).constData(), {}, QRect(16, top, 15, 17));
    rbnP1ReplaceMode_[row] =
        Radio(replacePanel, ("rbnP1ReplaceMode" + n).constData(), {}, QRect(15, top, 15, 17));
    rbnP1ReplaceMode_[row]->setToolTip(replaceHints[row]);
    replaceModes_.Add(rbnP1ReplaceMode_[row], rowReplacement[row].mode, rowReplacement[row].setting,
                      row);
    lblP1Mode_[row] = Named(new QLabel(captions[row], labelPanel), ("lblP1Mode" + n).constData());
    lblP1Mode_[row]->setGeometry(6, top + 1, 116, 13);
    lblP1Mode_[row]->setFont(labelFont);
    lblP1Mode_[row]->installEventFilter(this);
    lblP1Mode_[row]->setToolTip(tr("Left click: this search mode; right click: this replace mode"));
    connect(rbnP1ReplaceMode_[row], &QRadioButton::toggled, this, [this](bool on) {
      if (on) emit Changed();
    });
  }
  // Mode 1 has no search: its radio is hidden and disabled.
  rbnP1SearchMode_[1]->setEnabled(false);
  rbnP1SearchMode_[1]->hide();
  for (int row : {2, 3, 4, 5}) {
    const Matching mode = rowMatching[row];
    searchModes_.Add(rbnP1SearchMode_[row], mode, "", row);
    rbnP1SearchMode_[row]->setToolTip(AdvancedSettingsPage::SearchModeHint(mode));
    connect(rbnP1SearchMode_[row], &QRadioButton::toggled, this, [this, mode](bool on) {
      if (!on) return;
      emit SearchModeChosen(mode);
      emit Changed();
    });
  }
  rbnP1SearchMode_[5]->setChecked(true);
  rbnP1ReplaceMode_[5]->setChecked(true);

  auto* advanced = Named(new QPushButton(tr("More..."), settings), "btnP1Advanced");
  advanced->setGeometry(123, 124, 106, 21);
  advanced->setToolTip(tr("Choose how lines are compared with the block, on Advanced Settings"));
  connect(advanced, &QPushButton::clicked, this, &ScriptReplacePage::MoreClicked);
  auto* exclude = btnP1Exclude_ =
      Named(new QPushButton(tr("Exclusions..."), settings), "btnP1Exclude");
  exclude->setGeometry(123, 145, 106, 21);
  exclude->setToolTip(ExclusionsButtonHint());
  connect(exclude, &QPushButton::clicked, this, &RunPage::ExclusionsClicked);

  grpP1Edit1_ = Named(new QGroupBox(tr("Search"), this), "grpP1Edit1");
  // Below the file list the editor boxes keep their height and follow the bottom edge.
  geometry.Place(grpP1Edit1_, QRect(0, 177, 349, 109), kAnchorLeft | kAnchorBottom);
  P1Edit1_ = AddEditor(grpP1Edit1_, "P1Edit1");
  P1Edit1_->setToolTip(tr("The block to find: event lines in a row, one per line"));
  grpP1Edit2_ = Named(new QGroupBox(tr("Replace"), this), "grpP1Edit2");
  geometry.Place(grpP1Edit2_, QRect(355, 177, 349, 109), kAnchorRight | kAnchorBottom);
  P1Edit2_ = AddEditor(grpP1Edit2_, "P1Edit2");
  P1Edit2_->setToolTip(
      tr("The lines that replace each occurrence; none: the occurrences are deleted"));

  btnP1Preview_ = AddBottomButton(geometry, this, "btnP1Preview", tr("&Preview..."), 385);
  btnP1Preview_->setToolTip(tr("See what Replace would change, and apply it from there"));
  btnP1Search_ = AddBottomButton(geometry, this, "btnP1Search", tr("&Search", "button"), 466);
  btnP1Search_->setToolTip(tr("Count the occurrences of the block in every checked script"));
  btnP1Execute_ = AddBottomButton(geometry, this, "btnP1Execute", tr("&Replace", "button"), 547);
  btnP1Execute_->setToolTip(
      tr("Replace the block in every checked script; the previous versions go to Nosk_backup"));
  AddExitButton(geometry, this, "btnP1Exit");
  connect(btnP1Search_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Count); });
  connect(btnP1Execute_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Write); });
  connect(btnP1Preview_, &QPushButton::clicked, this, &ScriptReplacePage::PreviewClicked);
}

bool ScriptReplacePage::ReadSettings(engine::BatchSettings& settings, bool execute) const {
  if (!execute) {
    settings.ReplaceMode = Replacement::None;
    return true;
  }
  const std::optional<Replacement> mode = replaceModes_.Checked();
  if (mode) settings.ReplaceMode = *mode;
  return mode.has_value();
}

void ScriptReplacePage::Redraw(bool listed) {
  btnP1Search_->setEnabled(listed);
  btnP1Exclude_->setEnabled(listed);
  btnP1Execute_->setEnabled(listed && !rbnP1ReplaceMode_[1]->isChecked());
  btnP1Preview_->setEnabled(btnP1Execute_->isEnabled());
}

void ScriptReplacePage::SaveSettings(QSettings& settings) const {
  replaceModes_.Save(settings, QStringLiteral("modes/replace"));
  settings.setValue("editors/scriptReplaceSearch", P1Edit1_->toPlainText());
  settings.setValue("editors/scriptReplaceReplace", P1Edit2_->toPlainText());
}

void ScriptReplacePage::RestoreSettings(const QSettings& settings) {
  replaceModes_.Restore(settings, QStringLiteral("modes/replace"));
  P1Edit1_->setPlainText(settings.value("editors/scriptReplaceSearch").toString());
  P1Edit2_->setPlainText(settings.value("editors/scriptReplaceReplace").toString());
}

engine::RunRequest ScriptReplacePage::Request(const engine::BatchSettings& settings,
                                              engine::RunMode mode) const {
  engine::EditorTexts editors;
  editors.SearchLines = engine::SplitEditorText(P1Edit1_->toPlainText().toStdString());
  editors.ReplaceLines = engine::SplitEditorText(P1Edit2_->toPlainText().toStdString());
  return engine::ScriptReplaceRequest(settings, editors, mode);
}

QString ScriptReplacePage::RunName() const { return tr("Replace"); }

void ScriptReplacePage::SetSection(engine::Section section) {
  // Outside the event lines the Replace block goes in as typed, or not at all.
  const bool events = section == engine::Section::Events;
  for (int row : {2, 3, 4}) {
    rbnP1ReplaceMode_[row]->setEnabled(events);
    if (!events && rbnP1ReplaceMode_[row]->isChecked()) rbnP1ReplaceMode_[5]->setChecked(true);
  }
}

void ScriptReplacePage::SetSearchMode(Matching mode) {
  if (QRadioButton* radio = searchModes_.RadioOf(mode)) radio->setChecked(true);
}

void ScriptReplacePage::LayOutEditorBoxes(int pageControlWidth) {
  const int width = (pageControlWidth - 14) / 2;
  grpP1Edit1_->resize(width, grpP1Edit1_->height());
  grpP1Edit2_->setGeometry(grpP1Edit1_->x() + width + 6, grpP1Edit2_->y(), width,
                           grpP1Edit2_->height());
}

bool ScriptReplacePage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int row = 1; row <= 5; ++row) {
      if (watched == lblP1Mode_[row]) {
        ModeLabelPressed(row, static_cast<QMouseEvent*>(event)->button());
        return true;
      }
    }
  }
  return RunPage::eventFilter(watched, event);
}

void ScriptReplacePage::ModeLabelPressed(int row, Qt::MouseButton button) {
  if (button == Qt::LeftButton) {
    if (rbnP1SearchMode_[row]->isEnabled()) rbnP1SearchMode_[row]->setChecked(true);
  } else if (button == Qt::RightButton) {
    if (rbnP1ReplaceMode_[row]->isEnabled()) rbnP1ReplaceMode_[row]->setChecked(true);
  }
}

}  // namespace nosk::ui
