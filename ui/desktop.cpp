#include "ui/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#if __has_include(<X11/XKBlib.h>)
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#define NOSK_HAS_X11 1
#endif

namespace nosk::ui {
namespace {

#ifdef NOSK_HAS_X11
// The Caps Lock indicator of the X server's core keyboard, or its key held down.
bool X11CapsLockOn() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr) return false;
  Display* display = x11->display();
  unsigned indicators = 0;
  if (XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) == Success && (indicators & 1u)) {
    return true;
  }
  char keys[32] = {};
  XQueryKeymap(display, keys);
  const KeyCode capsLock = XKeysymToKeycode(display, XK_Caps_Lock);
  return capsLock != 0 && (keys[capsLock / 8] & (1 << (capsLock % 8))) != 0;
}
#endif

class SystemDesktop : public DesktopServices {
 public:
  QStringList ChooseScriptFiles(QWidget* parent, const QString& folder) override {
    return QFileDialog::getOpenFileNames(
        parent, QString(), folder,
        QCoreApplication::translate("nosk::ui::DesktopServices",
                                    "Advanced SubStation Alpha (*.ass *.ssa);;All files (*)"));
  }
  QString ChooseFolder(QWidget* parent, const QString& folder) override {
    return QFileDialog::getExistingDirectory(
        parent,
        QCoreApplication::translate("nosk::ui::DesktopServices", "Add subtitles from folder:"),
        folder.isEmpty() ? QDir::homePath() : folder, QFileDialog::ShowDirsOnly);
  }
  void OpenFolder(const QString& folder) override {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  }
  void ShowMessage(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
  }
  void ShowAbout(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox::about(parent, title, text);
  }
  int RunDialog(QDialog& dialog) override { return dialog.exec(); }
  void Beep() override { QApplication::beep(); }
  Qt::KeyboardModifiers HeldModifiers() override {
    return QGuiApplication::queryKeyboardModifiers();
  }
  bool CapsLockOn() override {
#ifdef NOSK_HAS_X11
    return X11CapsLockOn();
#else
    return false;
#endif
  }
};

}  // namespace

std::unique_ptr<DesktopServices> MakeSystemDesktop() { return std::make_unique<SystemDesktop>(); }

}  // namespace nosk::ui
