#include "ui/windowhost.h"

#include <QProgressBar>
#include <QString>
#include <QWidget>

#include "ui/desktop.h"
#include "ui/enginetexts.h"
#include "ui/statusbar.h"

namespace nosk::ui {
namespace {

// The engine's English, in the window's language.
QString Text(std::string_view text) { return TranslatedEngineText(text); }

}  // namespace

void WindowHost::SetStatusText(std::string_view text) { statusBar_.SetStatusText(Text(text)); }

void WindowHost::ClearStatusText() { statusBar_.SetStatusText({}); }

void WindowHost::BeginProgress() {
  ClearStatusText();
  statusBar_.ProgressBar()->show();
}

void WindowHost::EndProgress() {
  ClearStatusText();
  statusBar_.ProgressBar()->setValue(0);
  statusBar_.ProgressBar()->hide();
}

void WindowHost::SetProgressPosition(int position) {
  // The bar ignores values out of its range rather than clamping them.
  statusBar_.ProgressBar()->setValue(std::min(position, 99));
  if (statusBar_.ProgressBar()->isVisible()) statusBar_.ProgressBar()->repaint();
}

void WindowHost::Repaint() {
  if (window_.isVisible()) window_.repaint();
}

void WindowHost::ShowMessage(std::string_view title, std::string_view text) {
  desktop_.ShowMessage(&window_, Text(title), Text(text));
}

void WindowHost::ShowNotice(std::string_view text) {
  SetStatusText(text);
  Repaint();
}

}  // namespace nosk::ui
