// What the window remembers between starts, and its About box.
#include <QCloseEvent>
#include <QSettings>
#include <QTabWidget>

#include "ui/desktop.h"
#include "ui/mainform.h"
#include "ui/windowpage.h"

namespace nosk::ui {

void TMainForm::SaveSettings() const {
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  settings.setValue("window/page", MainPageControl_->currentIndex());
  settings.setValue("folders/files", lastFileFolder_);
  settings.setValue("folders/folder", lastAddedFolder_);
  for (const WindowPage* page : pages_) page->SaveSettings(settings);
  exclusions_.Save(settings);
}

void TMainForm::RestoreSettings() {
  const QSettings settings;
  // Nothing saved: the window stays exactly as it was built.
  if (settings.allKeys().isEmpty()) return;
  if (const QByteArray geometry = settings.value("window/geometry").toByteArray();
      !geometry.isEmpty()) {
    restoreGeometry(geometry);
  }
  for (WindowPage* page : pages_) page->RestoreSettings(settings);
  exclusions_.Restore(settings);
  lastFileFolder_ = settings.value("folders/files").toString();
  lastAddedFolder_ = settings.value("folders/folder").toString();
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
