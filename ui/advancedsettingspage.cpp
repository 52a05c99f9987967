#include "ui/advancedsettingspage.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/anchoredgeometry.h"
#include "ui/pagewidgets.h"

namespace nosk::ui {

using engine::Matching;

AdvancedSettingsPage::AdvancedSettingsPage(AnchoredGeometry& geometry, QWidget* parent)
    : WindowPage(parent) {
  setObjectName(QStringLiteral("pg4"));
  resize(geometry.DesignedSize());
  auto* search = Named(new QGroupBox(tr("Search Mode"), this), "grpSearchMode");
  geometry.Place(search, QRect(0, 0, 237, 89));
  const struct {
    const char* name;
    QString caption;
    Matching mode;
    const char* setting;
  } modes[] = {
      {"rbnSearchMode2", tr("Text only"), Matching::TextOnly, "text"},
      {"rbnSearchMode3", tr("Text and format"), Matching::TextAndFormat, "format"},
      {"rbnSearchMode4", tr("Full match (with offset)"), Matching::FullMatchWithOffset, "offset"},
      {"rbnSearchMode5", tr("Full match"), Matching::FullMatch, "full"},
  };
  int top = 16;
  for (const auto& mode : modes) {
    QRadioButton* radio = Radio(search, mode.name, mode.caption, QRect(8, top, 223, 17));
    radio->setToolTip(SearchModeHint(mode.mode));
    searchModes_.Add(radio, mode.mode, mode.setting, static_cast<int>(mode.mode));
    connect(radio, &QRadioButton::toggled, this, [this, value = mode.mode](bool on) {
      if (!on) return;
      emit SearchModeChosen(value);
      emit Changed();
    });
    top += 16;
  }
  QRadioButton* withOffset = searchModes_.RadioOf(Matching::FullMatchWithOffset);
  withOffset->setEnabled(false);
  QFont narrow = withOffset->font();
  narrow.setStretch(87);  // the longest caption fits its designed width only narrowed
  withOffset->setFont(narrow);
  searchModes_.RadioOf(Matching::FullMatch)->setChecked(true);

  // Fixed at their first choice: a run always works on the "[Events]" section and sorts nothing.
  const auto fixedGroup = [this, &geometry](
                              const char* name, const QString& caption, int top,
                              std::initializer_list<std::pair<const char*, const char*>> radios) {
    auto* box = Named(new QGroupBox(caption, this), name);
    geometry.Place(box, QRect(0, top, 237, 89));
    int radioTop = 16;
    bool first = true;
    for (const auto& [radioName, radioCaption] : radios) {
      QRadioButton* radio = Radio(box, radioName, tr(radioCaption), QRect(8, radioTop, 223, 17));
      radio->setChecked(first);
      radio->setEnabled(first);
      radio->setToolTip(first ? tr("Runs always work this way; the other choices are not "
                                   "available yet")
                              : tr("Not available yet"));
      first = false;
      radioTop += 16;
    }
  };
  fixedGroup("GroupBox9", tr("Search Section"), 95,
             {{"RadioButton3", QT_TR_NOOP("Event")},
              {"RadioButton15", QT_TR_NOOP("Style")},
              {"RadioButton16", QT_TR_NOOP("Header")},
              {"RadioButton17", QT_TR_NOOP("No restriction")}});
  fixedGroup("GroupBox10", tr("File Preprocessing"), 190,
             {{"RadioButton18", QT_TR_NOOP("None")},
              {"RadioButton19", QT_TR_NOOP("Sort by time")},
              {"RadioButton20", QT_TR_NOOP("Sort by style")},
              {"RadioButton21", QT_TR_NOOP("Sort by actor")}});

  // What a script without a mark is read and edited in, where it is not UTF-8.
  auto* codePage = Named(new QGroupBox(tr("Scripts without a mark"), this), "grpP4CodePage");
  geometry.Place(codePage, QRect(243, 0, 237, 52));
  cmbP4CodePage_ = Named(new QComboBox(codePage), "cmbP4CodePage");
  cmbP4CodePage_->setGeometry(8, 19, 221, 22);
  cmbP4CodePage_->addItem(tr("Detect"));
  AddCodePageChoices(cmbP4CodePage_);
  cmbP4CodePage_->setToolTip(
      tr("The code page of scripts that are neither UTF-8 nor marked: the blocks are put in it "
         "and every line keeps its bytes. Detect guesses it for each script, and the Result's "
         "hint names the guess"));

  btnP4OK_ = AddBottomButton(geometry, this, "btnP4OK", tr("OK"), 547);
  btnP4OK_->setDefault(true);
  btnP4OK_->setToolTip(tr("Back to the page this one was opened from"));
  connect(btnP4OK_, &QPushButton::clicked, this, &AdvancedSettingsPage::OkClicked);
  AddExitButton(geometry, this, "btnP4Exit");
}

QString AdvancedSettingsPage::SearchModeHint(Matching mode) {
  switch (mode) {
    case Matching::TextOnly:
      return tr("Compare only the Text field: times, style, name, margins and effect may differ");
    case Matching::TextAndFormat:
      return tr("Compare every field but the Start and End times");
    case Matching::FullMatchWithOffset:
      return tr("Compare whole lines with the block moved in time; not available yet");
    case Matching::FullMatch:
      break;
  }
  return tr("Compare whole lines, times included");
}

bool AdvancedSettingsPage::ReadSettings(engine::BatchSettings& settings, bool) const {
  settings.CodePage = cmbP4CodePage_->currentData().toString().toStdString();
  const std::optional<Matching> mode = searchModes_.Checked();
  if (mode) settings.SearchMode = *mode;
  return mode.has_value();
}

void AdvancedSettingsPage::SaveSettings(QSettings& settings) const {
  searchModes_.Save(settings, QStringLiteral("modes/search"));
  settings.setValue("modes/codePage", cmbP4CodePage_->currentData().toString());
}

void AdvancedSettingsPage::RestoreSettings(const QSettings& settings) {
  searchModes_.Restore(settings, QStringLiteral("modes/search"));
  // A code page no longer offered leaves "Detect".
  if (const int page = cmbP4CodePage_->findData(settings.value("modes/codePage").toString());
      page > 0) {
    cmbP4CodePage_->setCurrentIndex(page);
  }
}

void AdvancedSettingsPage::SetSearchMode(Matching mode) {
  if (QRadioButton* radio = searchModes_.RadioOf(mode)) radio->setChecked(true);
}

bool AdvancedSettingsPage::PressOkByKey(QKeyEvent* event) {
  const bool plain =
      (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
      Qt::NoModifier;
  const QWidget* focus = QApplication::focusWidget();
  const bool otherButtonFocused =
      qobject_cast<const QPushButton*>(focus) != nullptr && focus != btnP4OK_;
  if (event->key() == Qt::Key_Escape ||
      (plain && !otherButtonFocused &&
       (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))) {
    btnP4OK_->click();
    return true;
  }
  return false;
}

}  // namespace nosk::ui
