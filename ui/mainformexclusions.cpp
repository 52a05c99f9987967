// The window's exclusions: chosen in their dialog among the names the listed scripts use, and
// told in the status bar while they are in force.
#include "engine/eventnames.h"
#include "ui/exclusionsdialog.h"
#include "ui/mainform.h"
#include "ui/messagetext.h"
#include "ui/statusbar.h"
#include "ui/windowfilelist.h"
#include "ui/windowhost.h"

namespace nosk::ui {

void TMainForm::ChooseExclusions() {
  std::vector<std::filesystem::path> scripts;
  for (std::int32_t i = 0; i < fileGrid_->Count(); ++i) {
    scripts.push_back(EnginePath(fileGrid_->GetPath(i)));
  }
  const engine::EventNames names = engine::NamesUsedIn(*host_, scripts);
  ExclusionsDialog dialog(exclusions_, names.styles, names.actors, this);
  if (desktop_->RunDialog(dialog) != QDialog::Accepted) return;
  exclusions_ = dialog.Choice();
  const script::Message inForce = engine::FilterName(exclusions_.Filter());
  statusBar_->SetStatusText(
      inForce.empty()
          ? tr("No exclusions: runs see every event line.")
          : Translated(script::Message(script::MessageId::ExclusionsInForce, {inForce})));
}

void TMainForm::ShowRunNotes(const std::vector<script::Message>& notes) {
  QString text = statusBar_->StatusText();
  for (const script::Message& note : notes) {
    text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + Translated(note);
  }
  statusBar_->SetStatusText(text);
}

}  // namespace nosk::ui
