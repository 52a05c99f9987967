// The program entry: the application, its one window, and the command line.
#include <QApplication>
#include <QMessageBox>
#include <csignal>
#include <exception>

#include "script/temporaryfile.h"
#include "ui/mainform.h"
#include "ui/translations.h"

namespace {

// An exception that escapes an event handler is shown in a message box titled with the
// application's name, and the event loop goes on.
class NoskApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      ShowException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
      ShowException(QString());
    }
    return false;
  }

  static void ShowException(const QString& message) {
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), message);
  }
};

}  // namespace

int main(int argc, char** argv) {
  // A write beyond the process's file size limit must be an error of that one script (EFBIG),
  // not a signal that ends the program half-way through a run.
  std::signal(SIGXFSZ, SIG_IGN);
  // SIGINT, SIGTERM and SIGHUP remove the temporary file being written before the program ends.
  const nosk::script::InterruptCleanup cleanup;
  NoskApplication application(argc, argv);
  try {
    QApplication::setApplicationName(QStringLiteral("Nosk"));
    QApplication::setApplicationDisplayName(QStringLiteral("Nosk"));
    QGuiApplication::setDesktopFileName(QStringLiteral("nosk"));
    QCoreApplication::setOrganizationName(QStringLiteral("nosk"));
    const nosk::ui::Translations translations(QLocale::system());
    nosk::ui::TMainForm window;
    window.show();
    window.FormCreate(QApplication::arguments().mid(1));
    QApplication::exec();
  } catch (const std::exception& error) {
    NoskApplication::ShowException(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    NoskApplication::ShowException(QString());
  }
  return 0;
}
