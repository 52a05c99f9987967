// A desktop that answers the window's dialogs and message boxes at once and says what was asked.
#pragma once

#include <QStringList>

#include "ui/desktop.h"

namespace nosk::testsupport {

class FakeDesktop : public ui::DesktopServices {
 public:
  struct State {
    QStringList filesToChoose;
    QString folderToChoose;
    QStringList messages;  // "title: text"
    int beeps = 0;
    bool capsLock = false;
    Qt::KeyboardModifiers heldModifiers = Qt::NoModifier;
  };

  explicit FakeDesktop(State& state) : state_(state) {}

  QStringList ChooseScriptFiles(QWidget*) override { return state_.filesToChoose; }
  QString ChooseFolder(QWidget*) override { return state_.folderToChoose; }
  void ShowMessage(QWidget*, const QString& title, const QString& text) override {
    state_.messages.append(title + ": " + text);
  }
  void Beep() override { ++state_.beeps; }
  bool CapsLockOn() override { return state_.capsLock; }
  Qt::KeyboardModifiers HeldModifiers() override { return state_.heldModifiers; }

 private:
  State& state_;
};

}  // namespace nosk::testsupport
