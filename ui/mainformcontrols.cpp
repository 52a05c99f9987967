// The window's own controls: the menu and the file list box, at the bounds and with the
// captions, names and initial states of the design.
#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/anchoredgeometry.h"
#include "ui/filegridview.h"
#include "ui/mainform.h"
#include "ui/pagewidgets.h"
#include "ui/windowpage.h"

namespace nosk::ui {

void TMainForm::BuildMenu() {
  auto* menuBar = Named(new QMenuBar(this), "MainActionMainMenuBar");
  setMenuBar(menuBar);
  const auto action = [this](const char* name, const QString& text, QKeySequence shortcut) {
    auto* a = Named(new QAction(text, this), name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
  };
  actAddFile_ = action("actAddFile", tr("&Add..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  actAddFolder_ = action("actAddFolder", tr("A&dd folder..."), QKeySequence(Qt::CTRL | Qt::Key_F));
  actRemoveFile_ = action("actRemoveFile", tr("&Remove"), {});
  actRemoveAllFiles_ = action("actRemoveAllFiles", tr("R&emove all"), {});
  actFileExit_ = action("actFileExit", tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_X));
  actAbout_ = action("actAbout", tr("&About..."), {});
  // Ctrl+Z: an editor with the focus takes it for its own undo first.
  actUndoLastRun_ =
      action("actUndoLastRun", tr("&Undo Last Run"), QKeySequence(Qt::CTRL | Qt::Key_Z));

  QMenu* file = menuBar->addMenu(tr("&File"));
  file->addActions({actAddFile_, actAddFolder_, actRemoveFile_, actRemoveAllFiles_});
  file->addSeparator();
  file->addAction(actUndoLastRun_);
  actRedo_ = action("actRedo", tr("Red&o"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  file->addAction(actRedo_);
  addAction(actRedo_);
  connect(actRedo_, &QAction::triggered, this, &TMainForm::actRedoExecute);
  actHistory_ = action("actHistory", tr("&History..."), QKeySequence(Qt::CTRL | Qt::Key_H));
  file->addAction(actHistory_);
  addAction(actHistory_);
  connect(actHistory_, &QAction::triggered, this, &TMainForm::actHistoryExecute);
  file->addSeparator();
  file->addAction(actFileExit_);
  menuBar->addMenu(tr("&Help"))->addAction(actAbout_);
  // The shortcuts act anywhere in the window, also while the menu is closed.
  addActions({actAddFile_, actAddFolder_, actRemoveFile_, actRemoveAllFiles_, actUndoLastRun_,
              actFileExit_});

  connect(actAddFile_, &QAction::triggered, this, &TMainForm::actAddFileExecute);
  connect(actAddFolder_, &QAction::triggered, this, &TMainForm::actAddFolderExecute);
  connect(actRemoveFile_, &QAction::triggered, this, &TMainForm::actRemoveFileExecute);
  connect(actRemoveAllFiles_, &QAction::triggered, this, &TMainForm::actRemoveAllFilesExecute);
  connect(actFileExit_, &QAction::triggered, this, &QWidget::close);
  connect(actUndoLastRun_, &QAction::triggered, this, &TMainForm::actUndoLastRunExecute);
  connect(actAbout_, &QAction::triggered, this, &TMainForm::actAboutExecute);

  actRunSearch_ = action("actRunSearch", tr("Search"), QKeySequence(Qt::Key_F5));
  addAction(actRunSearch_);
  connect(actRunSearch_, &QAction::triggered, this, &TMainForm::RunShownPageSearch);
}

void TMainForm::BuildFileListBox() {
  grpFilelist_ = Named(new QGroupBox(tr("Filelist"), pages_[0]), "grpFilelist");
  FileGridInput& input = *this;
  sgdFilelist_ = Named(new FileGridView(grpFilelist_, input), "sgdFilelist");
  sgdFilelist_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgdFilelist_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  sgdFilelist_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgdFilelist_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgdFilelist_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  sgdFilelist_->setWordWrap(false);
  sgdFilelist_->setTextElideMode(Qt::ElideNone);
  sgdFilelist_->verticalHeader()->hide();
  sgdFilelist_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgdFilelist_->verticalHeader()->setDefaultSectionSize(17);
  sgdFilelist_->horizontalHeader()->setFixedHeight(17);
  sgdFilelist_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgdFilelist_->horizontalHeader()->setMinimumSectionSize(10);  // the check box column is 19
  sgdFilelist_->horizontalHeader()->setHighlightSections(false);
  sgdFilelist_->horizontalHeader()->setSectionsClickable(false);

  // Delete removes the selected entries where the list has the focus (an editor's Delete stays
  // its own); the right-click menu offers the list's commands.
  const auto listAction = [this](const char* name, const QString& text, QKeySequence shortcut) {
    auto* a = Named(new QAction(text, sgdFilelist_), name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WidgetShortcut);
    sgdFilelist_->addAction(a);
    return a;
  };
  actRemoveSelected_ = listAction("actRemoveSelected", tr("&Remove"), QKeySequence::Delete);
  auto* separator = new QAction(sgdFilelist_);
  separator->setSeparator(true);
  sgdFilelist_->addAction(separator);
  actOpenContainingFolder_ =
      listAction("actOpenContainingFolder", tr("&Open Containing Folder"), {});
  auto* separator2 = new QAction(sgdFilelist_);
  separator2->setSeparator(true);
  sgdFilelist_->addAction(separator2);
  actCheckAll_ = listAction("actCheckAll", tr("&Check All"), {});
  actUncheckAll_ = listAction("actUncheckAll", tr("&Uncheck All"), {});
  actInvertChecks_ = listAction("actInvertChecks", tr("&Invert Checks"), {});
  sgdFilelist_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(actRemoveSelected_, &QAction::triggered, this, &TMainForm::actRemoveFileExecute);
  connect(actOpenContainingFolder_, &QAction::triggered, this,
          &TMainForm::actOpenContainingFolderExecute);
  connect(actCheckAll_, &QAction::triggered, this, [this] { SetAllChecks(1); });
  connect(actUncheckAll_, &QAction::triggered, this, [this] { SetAllChecks(0); });
  connect(actInvertChecks_, &QAction::triggered, this, [this] { SetAllChecks(-1); });

  const auto button = [this](const char* name, const QString& caption, QAction* action) {
    auto* b = Named(new QPushButton(caption, grpFilelist_), name);
    b->setFixedSize(75, 23);
    connect(b, &QPushButton::clicked, action, &QAction::trigger);
    return b;
  };
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button("btnAddFile", tr("Add..."), actAddFile_));
  buttons->addWidget(button("btnAddFolder", tr("Add folder..."), actAddFolder_));
  buttons->addWidget(button("btnRemoveFile", tr("Remove"), actRemoveFile_));
  buttons->addWidget(button("btnRemoveAll", tr("Remove all"), actRemoveAllFiles_));
  auto* layout = new QVBoxLayout(grpFilelist_);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(sgdFilelist_);
  layout->addLayout(buttons);
  // The list takes the height a taller window has, so that a whole season shows at once.
  geometry_->Place(grpFilelist_, QRect(243, 0, 461, 171),
                   kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
}

}  // namespace nosk::ui
