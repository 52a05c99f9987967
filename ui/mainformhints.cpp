// The hints of the window's own controls (the menu, the list, the tabs): one line saying what
// each does. Each page gives its controls their hints.
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
}

}  // namespace nosk::ui
