// What the window remembers between starts, and its About box.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>

#include "ui/desktop.h"
#include "ui/mainform.h"
#include "ui/shiftamountedit.h"

namespace nosk::ui {
namespace {

// The number of the checked radio of a group, 0 when none is.
template <std::size_t N>
int CheckedOf(const std::array<QRadioButton*, N>& radios, int first, int last) {
  for (int i = first; i <= last; ++i) {
    if (radios[static_cast<std::size_t>(i)]->isChecked()) return i;
  }
  return 0;
}

// Checks radio `value` of a group when it is one of the group's, enabled.
template <std::size_t N>
void CheckIn(const std::array<QRadioButton*, N>& radios, int first, int last, int value) {
  if (value >= first && value <= last && radios[static_cast<std::size_t>(value)]->isEnabled()) {
    radios[static_cast<std::size_t>(value)]->setChecked(true);
  }
}

}  // namespace

void TMainForm::SaveSettings() const {
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  settings.setValue("window/page", MainPageControl_->currentIndex());
  settings.setValue("modes/search", CheckedOf(rbnSearchMode_, 2, 5));
  settings.setValue("modes/replace", CheckedOf(rbnP1ReplaceMode_, 1, 5));
  settings.setValue("modes/affect", CheckedOf(rbnP2AffectMode_, 1, 4));
  settings.setValue("modes/includeBlock", rbnP2AffectModeEx1_->isChecked());
  settings.setValue("modes/times", CheckedOf(rbnP2TimesMode_, 1, 3));
  settings.setValue("convert/source", cmbP3Source_->currentData().toString());
  settings.setValue("convert/target", CheckedOf(rbnP3Target_, 1, 2));
  settings.setValue("convert/lineEnds", CheckedOf(rbnP3LineEnds_, 1, 3));
  settings.setValue("shift/amount", edP2Shift_->text());
  settings.setValue("shift/forward", rbnP2ShiftMode1_->isChecked());
  settings.setValue("folders/files", lastFileFolder_);
  settings.setValue("folders/folder", lastAddedFolder_);
  settings.setValue("editors/scriptReplaceSearch", P1Edit1_->toPlainText());
  settings.setValue("editors/scriptReplaceReplace", P1Edit2_->toPlainText());
  settings.setValue("editors/timingShiftSearch", P2Edit1_->toPlainText());
}

void TMainForm::RestoreSettings() {
  const QSettings settings;
  // Nothing saved: the window stays exactly as it was built.
  if (settings.allKeys().isEmpty()) return;
  if (const QByteArray geometry = settings.value("window/geometry").toByteArray();
      !geometry.isEmpty()) {
    restoreGeometry(geometry);
  }
  CheckIn(rbnSearchMode_, 2, 5, settings.value("modes/search").toInt());
  CheckIn(rbnP1ReplaceMode_, 1, 5, settings.value("modes/replace").toInt());
  CheckIn(rbnP2AffectMode_, 1, 4, settings.value("modes/affect").toInt());
  rbnP2AffectModeEx1_->setChecked(settings.value("modes/includeBlock", false).toBool());
  CheckIn(rbnP2TimesMode_, 1, 3, settings.value("modes/times").toInt());
  // A code page no longer offered leaves "Detect".
  if (const int source = cmbP3Source_->findData(settings.value("convert/source").toString());
      source > 0) {
    cmbP3Source_->setCurrentIndex(source);
  }
  CheckIn(rbnP3Target_, 1, 2, settings.value("convert/target").toInt());
  CheckIn(rbnP3LineEnds_, 1, 3, settings.value("convert/lineEnds").toInt());
  // The amount's editor keeps only a valid time; anything else becomes zero there.
  edP2Shift_->setText(settings.value("shift/amount", edP2Shift_->text()).toString());
  (settings.value("shift/forward", true).toBool() ? rbnP2ShiftMode1_ : rbnP2ShiftMode2_)
      ->setChecked(true);
  lastFileFolder_ = settings.value("folders/files").toString();
  lastAddedFolder_ = settings.value("folders/folder").toString();
  P1Edit1_->setPlainText(settings.value("editors/scriptReplaceSearch").toString());
  P1Edit2_->setPlainText(settings.value("editors/scriptReplaceReplace").toString());
  P2Edit1_->setPlainText(settings.value("editors/timingShiftSearch").toString());
  const int page = settings.value("window/page", 0).toInt();
  if (page >= 0 && page < MainPageControl_->count()) MainPageControl_->setCurrentIndex(page);
  InterfaceRedraw();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QMainWindow::closeEvent(event);
}

void TMainForm::actAboutExecute() {
  desktop_->ShowAbout(
      this, tr("About Nosk"),
      tr("<h3>Nosk %1</h3><p>Nosk applies one edit to many Advanced SubStation Alpha subtitle "
         "scripts (.ass, .ssa) at once: it replaces a block of event lines, or moves their "
         "times, in a whole season, keeping every previous version.</p>"
         "<p>Licence: MIT.</p><p>Qt %2</p>")
          .arg(QStringLiteral(NOSK_VERSION), QString::fromLatin1(qVersion())));
}

}  // namespace nosk::ui
