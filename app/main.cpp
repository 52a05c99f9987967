// The program entry: the application, its one window, and the command line.
#include <QApplication>
#include <QMessageBox>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string_view>

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

// `nosk --help` and `nosk --version` answer on the terminal and open no window (there may be
// no display at all). True when one of them was asked.
bool AnsweredOnTheTerminal(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--version") {
      std::printf("nosk %s\n", NOSK_VERSION);
      return true;
    }
    if (argument == "--help" || argument == "-h") {
      std::printf(
          "Usage: nosk [SCRIPT | FOLDER | PATTERN]... [/e] [/b]\n"
          "Opens the window with the scripts named in its file list: a script (.ass, .ssa), the\n"
          "scripts of a folder, or a pattern with * and ? (\"season/*.ass\").\n"
          "  /e  end as soon as the window has started\n"
          "  /b  beep once started\n"
          "The same runs without a window: nosk-cli --help.\n");
      return true;
    }
  }
  return false;
}

int main(int argc, char** argv) {
  if (AnsweredOnTheTerminal(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
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
