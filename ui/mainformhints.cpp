// The hint of every control that does something: one line saying what it does.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include "ui/mainform.h"

namespace nosk::ui {

void TMainForm::SetHints() {
  const auto hint = [this](const char* name, const QString& text) {
    if (QWidget* widget = findChild<QWidget*>(QString::fromLatin1(name))) widget->setToolTip(text);
  };
  const auto both = [&](QAction* action, const char* button, const QString& text) {
    action->setToolTip(text);
    action->setStatusTip(text);
    if (button != nullptr) hint(button, text);
  };
  both(actAddFile_, "btnAddFile", tr("Add script files (.ass, .ssa) to the list"));
  both(actAddFolder_, "btnAddFolder", tr("Add the .ass and .ssa files of a folder to the list"));
  both(actRemoveFile_, "btnRemoveFile",
       tr("Take the selected rows off the list; the files stay on disk"));
  both(actRemoveAllFiles_, "btnRemoveAll", tr("Empty the list; the files stay on disk"));
  both(actUndoLastRun_, nullptr,
       tr("Take back the last run recorded in the folders of the checked scripts"));
  both(actFileExit_, nullptr, tr("Close Nosk"));
  both(actAbout_, nullptr, tr("Name, version and licence of Nosk"));
  hint("sgdFilelist", tr("The scripts a run works on (the checked ones); Result shows what the "
                         "last run did: double-click a row for its reason"));

  MainPageControl_->setTabToolTip(0, tr("Find a block of event lines in every checked script, "
                                        "count it or replace it"));
  MainPageControl_->setTabToolTip(1, tr("Move the times of event lines in every checked script"));
  MainPageControl_->setTabToolTip(2, tr("Convert the encoding and line ends of every checked "
                                        "script"));
  MainPageControl_->setTabToolTip(3, tr("How event lines are compared with the Search block"));

  // The search modes say which fields take part in the comparison.
  const QString searchHints[] = {
      {},
      {},
      tr("Compare only the Text field: times, style, name, margins and effect may differ"),
      tr("Compare every field but the Start and End times"),
      tr("Compare whole lines with the block moved in time; not available yet"),
      tr("Compare whole lines, times included"),
  };
  for (int mode = 2; mode <= 5; ++mode) {
    rbnP1SearchMode_[mode]->setToolTip(searchHints[mode]);
    rbnSearchMode_[mode]->setToolTip(searchHints[mode]);
  }
  const QString replaceHints[] = {
      {},
      tr("Replace nothing: only Search runs"),
      tr("Give the matched lines the Text of the Replace lines; everything else stays"),
      tr("Put the Replace lines in, with the times of the lines they replace"),
      tr("Put the Replace lines in, moved to start where each occurrence starts"),
      tr("Put the Replace lines in as they are typed"),
  };
  for (int mode = 1; mode <= 5; ++mode) {
    rbnP1ReplaceMode_[mode]->setToolTip(replaceHints[mode]);
    lblP1Mode_[mode]->setToolTip(
        tr("Left click: this search mode; right click: this replace mode"));
  }
  hint("P1Edit1", tr("The block to find: event lines in a row, one per line"));
  hint("P1Edit2", tr("The lines that replace each occurrence; none: the occurrences are deleted"));
  hint("btnP1Preview", tr("See what Replace would change, and apply it from there"));
  hint("btnP1Search", tr("Count the occurrences of the block in every checked script"));
  hint("btnP1Execute", tr("Replace the block in every checked script; the previous versions go "
                          "to Nosk_backup"));

  hint("btnP2ShiftClear", tr("Set the amount to zero"));
  hint("rbnP2ShiftMode1", tr("Move the times later"));
  hint("rbnP2ShiftMode2", tr("Move the times earlier"));
  hint("rbnP2AffectMode1", tr("Shift every event line of every checked script; the Search block "
                              "is not used"));
  hint("rbnP2AffectMode2", tr("Shift every event line, in the scripts that hold the block"));
  hint("rbnP2AffectMode3", tr("Shift the lines before the block's first occurrence"));
  hint("rbnP2AffectMode4", tr("Shift the lines after the block's first occurrence"));
  hint("rbnP2AffectModeEx1",
       tr("With Rows Before or Rows After: shift the occurrence's own lines too"));
  hint("rbnP2TimesMode1", tr("Move the Start and the End times"));
  hint("rbnP2TimesMode2", tr("Move the Start times only"));
  hint("rbnP2TimesMode3", tr("Move the End times only"));
  hint("btnP2SearchSettings", tr("Choose how lines are compared with the block"));
  hint("P2Edit1", tr("The block whose first occurrence divides each script; not used with All "
                     "Files, All Rows"));
  hint("btnP2Preview", tr("See what Shift Times would change, and apply it from there"));
  hint("btnP2Search", tr("Tell which checked scripts a shift would change"));
  hint("btnP2Execute", tr("Shift the times in every checked script; the previous versions go to "
                          "Nosk_backup"));
  hint("cmbP3Source", tr("The code page of scripts that are neither UTF-8 nor marked UTF-16: "
                         "Detect guesses it for each script, and the Result's hint names the "
                         "guess"));
  hint("rbnP3Target1", tr("Write UTF-8 that begins with the mark, as players expect of .ass"));
  hint("rbnP3Target2", tr("Write UTF-8 without the mark"));
  hint("rbnP3LineEnds1", tr("Leave every line end as it is"));
  hint("rbnP3LineEnds2", tr("End every line with CR LF"));
  hint("rbnP3LineEnds3", tr("End every line with LF alone"));
  hint("btnP3Preview", tr("See what Convert would change, and apply it from there"));
  hint("btnP3Execute", tr("Convert every checked script; the previous versions go to "
                          "Nosk_backup"));
  hint("btnP4OK", tr("Back to the page this one was opened from"));
}

}  // namespace nosk::ui
