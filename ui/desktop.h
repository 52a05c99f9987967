// What the window needs of the desktop that a test must be able to answer without a person:
// modal dialogs and message boxes, the beep, and the state of Caps Lock.
#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <memory>

class QDialog;
class QWidget;

namespace nosk::ui {

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;
  // The scripts chosen in a multi-select file dialog that opens in `folder` (none given: where
  // the dialog likes); empty when it was cancelled.
  virtual QStringList ChooseScriptFiles(QWidget* parent, const QString& folder) = 0;
  // The folder chosen in a folder picker that opens in `folder` (none given: the home folder);
  // empty when it was cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& folder) = 0;
  // A modal message box with an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text) = 0;
  // The "About" box: rich text, with the program's icon.
  virtual void ShowAbout(QWidget* parent, const QString& title, const QString& text) = 0;
  // Shows a modal dialog of the window's until the user closes it: how it was closed
  // (QDialog::Accepted or Rejected).
  virtual int RunDialog(QDialog& dialog) = 0;
  // Opens a folder in the desktop's file manager.
  virtual void OpenFolder(const QString& folder) = 0;
  virtual void Beep() = 0;
  // Whether Caps Lock is on, or its key held down.
  virtual bool CapsLockOn() = 0;
  // The modifier keys held down at this moment, read from the keyboard.
  virtual Qt::KeyboardModifiers HeldModifiers() = 0;
};

// The real dialogs, message boxes, beep and keyboard state.
std::unique_ptr<DesktopServices> MakeSystemDesktop();

}  // namespace nosk::ui
