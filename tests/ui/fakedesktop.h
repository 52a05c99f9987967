// A desktop that answers the window's dialogs and message boxes at once and says what was asked.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "ui/desktop.h"

namespace nosk::testsupport {

class FakeDesktop : public ui::DesktopServices {
 public:
  struct State {
    QStringList filesToChoose;
    QString folderToChoose;
    QStringList messages;        // "title: text"
    QStringList offeredFolders;  // where the file dialog and the folder picker opened
    QString about;               // "title: text" of the About box
    int beeps = 0;
    QStringList openedFolders;
    bool capsLock = false;
    // What the user does with a dialog the window opens; without it, the dialog is closed.
    std::function<int(QDialog&)> onDialog;
    int dialogs = 0;
    Qt::KeyboardModifiers heldModifiers = Qt::NoModifier;
  };

  explicit FakeDesktop(State& state) : state_(state) {}

  QStringList ChooseScriptFiles(QWidget*, const QString& folder) override {
    state_.offeredFolders.append(folder);
    return state_.filesToChoose;
  }
  QString ChooseFolder(QWidget*, const QString& folder) override {
    state_.offeredFolders.append(folder);
    return state_.folderToChoose;
  }
  void ShowAbout(QWidget*, const QString& title, const QString& text) override {
    state_.about = title + ": " + text;
  }
  void ShowMessage(QWidget*, const QString& title, const QString& text) override {
    state_.messages.append(title + ": " + text);
  }
  int RunDialog(QDialog& dialog) override {
    ++state_.dialogs;
    return state_.onDialog ? state_.onDialog(dialog) : int(QDialog::Rejected);
  }
  void OpenFolder(const QString& folder) override { state_.openedFolders.append(folder); }
  void Beep() override { ++state_.beeps; }
  bool CapsLockOn() override { return state_.capsLock; }
  Qt::KeyboardModifiers HeldModifiers() override { return state_.heldModifiers; }

 private:
  State& state_;
};

}  // namespace nosk::testsupport
