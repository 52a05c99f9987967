#include "ui/advancedsettingspage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/anchoredgeometry.h"
#include "ui/pagewidgets.h"

namespace nosk::ui {

using engine::Matching;
using engine::Section;
using engine::SortOrder;

namespace {

// One radio of a group: its name, caption and hint, the value it stands for, and its setting's
// name and number.
template <class Value>
struct RadioChoice {
  const char* name;
  QString caption;
  QString hint;
  Value value;
  const char* setting;
  int number;
};

// The group's radios in a column, 16 pixels apart, tied to `choices`; `chosen` learns each value
// checked.
template <class Value, class Chosen>
void AddRadioColumn(QGroupBox* group, RadioChoices<Value>& choices,
                    std::initializer_list<RadioChoice<Value>> radios, Chosen chosen) {
  int top = 16;
  for (const RadioChoice<Value>& choice : radios) {
    QRadioButton* radio = Radio(group, choice.name, choice.caption, QRect(8, top, 223, 17));
    radio->setToolTip(choice.hint);
    choices.Add(radio, choice.value, choice.setting, choice.number);
    QObject::connect(radio, &QRadioButton::toggled, group, [chosen, value = choice.value](bool on) {
      if (on) chosen(value);
    });
    top += 16;
  }
}

}  // namespace

AdvancedSettingsPage::AdvancedSettingsPage(AnchoredGeometry& geometry, QWidget* parent)
    : WindowPage(parent) {
  setObjectName(QStringLiteral("pg4"));
  resize(geometry.DesignedSize());
  auto* search = Named(new QGroupBox(tr("Search Mode"), this), "grpSearchMode");
  geometry.Place(search, QRect(0, 0, 237, 89));
  const auto mode = [](const char* name, const QString& caption, Matching value,
                       const char* setting) {
    return RadioChoice<Matching>{name,  caption, SearchModeHint(value),
                                 value, setting, static_cast<int>(value)};
  };
  AddRadioColumn(search, searchModes_,
                 {mode("rbnSearchMode2", tr("Text only"), Matching::TextOnly, "text"),
                  mode("rbnSearchMode3", tr("Text and format"), Matching::TextAndFormat, "format"),
                  mode("rbnSearchMode4", tr("Full match (with offset)"),
                       Matching::FullMatchWithOffset, "offset"),
                  mode("rbnSearchMode5", tr("Full match"), Matching::FullMatch, "full")},
                 [this](Matching value) {
                   emit SearchModeChosen(value);
                   emit Changed();
                 });
  QRadioButton* withOffset = searchModes_.RadioOf(Matching::FullMatchWithOffset);
  QFont narrow = withOffset->font();
  narrow.setStretch(87);  // the longest caption fits its designed width only narrowed
  withOffset->setFont(narrow);
  searchModes_.RadioOf(Matching::FullMatch)->setChecked(true);

  auto* sections = Named(new QGroupBox(tr("Search Section"), this), "GroupBox9");
  geometry.Place(sections, QRect(0, 95, 237, 89));
  AddRadioColumn<Section>(
      sections, sections_,
      {{"RadioButton3", tr("Event"), tr("Look for the block among the event lines of [Events]"),
        Section::Events, "events", 1},
       {"RadioButton15", tr("Style"),
        tr("Look for Style: lines in the style sections; Text only and Text and format compare "
           "the style's name"),
        Section::Styles, "styles", 2},
       {"RadioButton16", tr("Header"),
        tr("Look for Key: value lines in [Script Info]; Text only and Text and format compare "
           "the key"),
        Section::Header, "header", 3},
       {"RadioButton17", tr("No restriction"),
        tr("Look among every line outside [Fonts] and [Graphics], whole lines compared"),
        Section::Any, "any", 4}},
      [this](Section value) {
        chkP4AddMissing_->setEnabled(value == Section::Styles || value == Section::Header);
        emit SectionChosen(value);
        emit Changed();
      });
  chkP4AddMissing_ = Named(new QCheckBox(tr("Add where missing"), this), "chkP4AddMissing");
  geometry.Place(chkP4AddMissing_, QRect(243, 111, 237, 17));
  chkP4AddMissing_->setToolTip(
      tr("A script without the Style or Header block gets the Replace block at the end of the "
         "section, made when it has none"));
  chkP4AddMissing_->setEnabled(false);
  sections_.RadioOf(Section::Events)->setChecked(true);

  auto* sorting = Named(new QGroupBox(tr("File Preprocessing"), this), "GroupBox10");
  geometry.Place(sorting, QRect(0, 190, 237, 89));
  AddRadioColumn<SortOrder>(
      sorting, sorts_,
      {{"RadioButton18", tr("None"), tr("Leave the event lines in their order"), SortOrder::None,
        "none", 1},
       {"RadioButton19", tr("Sort by time"),
        tr("Before the edit, put the event lines in order of Start, then End; every line keeps "
           "its bytes"),
        SortOrder::ByTime, "time", 2},
       {"RadioButton20", tr("Sort by style"),
        tr("Before the edit, put the event lines in order of style name, then Start"),
        SortOrder::ByStyle, "style", 3},
       {"RadioButton21", tr("Sort by actor"),
        tr("Before the edit, put the event lines in order of actor name, then Start"),
        SortOrder::ByActor, "actor", 4}},
      [this](SortOrder) { emit Changed(); });
  sorts_.RadioOf(SortOrder::None)->setChecked(true);

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
      return tr(
          "Compare whole lines, the block moved in time: its lines keep their timing "
          "among themselves");
    case Matching::FullMatch:
      break;
  }
  return tr("Compare whole lines, times included");
}

bool AdvancedSettingsPage::ReadSettings(engine::BatchSettings& settings, bool) const {
  settings.CodePage = cmbP4CodePage_->currentData().toString().toStdString();
  const std::optional<Matching> mode = searchModes_.Checked();
  if (mode) settings.SearchMode = *mode;
  const std::optional<Section> section = sections_.Checked();
  if (section) settings.SearchSection = *section;
  settings.AddMissing = chkP4AddMissing_->isEnabled() && chkP4AddMissing_->isChecked();
  const std::optional<SortOrder> order = sorts_.Checked();
  if (order) settings.SortMode = *order;
  return mode.has_value() && section.has_value() && order.has_value();
}

void AdvancedSettingsPage::SaveSettings(QSettings& settings) const {
  searchModes_.Save(settings, QStringLiteral("modes/search"));
  settings.setValue("modes/codePage", cmbP4CodePage_->currentData().toString());
  sections_.Save(settings, QStringLiteral("modes/section"));
  settings.setValue("modes/addMissing", chkP4AddMissing_->isChecked());
  sorts_.Save(settings, QStringLiteral("modes/sort"));
}

void AdvancedSettingsPage::RestoreSettings(const QSettings& settings) {
  searchModes_.Restore(settings, QStringLiteral("modes/search"));
  sections_.Restore(settings, QStringLiteral("modes/section"));
  chkP4AddMissing_->setChecked(settings.value("modes/addMissing", false).toBool());
  sorts_.Restore(settings, QStringLiteral("modes/sort"));
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
