// The window's runs, timed, for bench/run: the scripts of a folder in the file list, one run
// as the button starts it, on the offscreen platform. Prints the milliseconds the run took,
// how often the window was painted meanwhile, and the longest time between two paints.
//   nosk_window_bench FOLDER search|preview|replace|shift|convert|undo
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <map>

#include "tests/ui/fakedesktop.h"
#include "ui/mainform.h"

namespace {

using nosk::testsupport::FakeDesktop;

// The two lines the bench corpus's scripts all hold, and the three that replace them.
const QString kSearch = QStringLiteral(
    "Dialogue: 5,0:21:30.00,0:21:35.00,Sign,,0,0,0,,{\\an8\\pos(960,80)\\fad(300,300)}Next "
    "Episode\n"
    "Dialogue: 0,0:21:30.50,0:21:35.00,Default,Narrator,0,0,0,,Next time: the terminal, at last.");
const QString kReplace = QStringLiteral(
    "Dialogue: 5,0:21:30.00,0:21:35.00,Sign,,0,0,0,,{\\an8\\pos(960,80)\\fad(300,300)}Next "
    "Episode\n"
    "Dialogue: 5,0:21:30.00,0:21:35.00,Sign,,0,0,0,,{\\an8\\pos(960,140)\\fs40\\fad(300,300)}"
    "Следующая серия\n"
    "Dialogue: 0,0:21:30.50,0:21:35.00,Default,Narrator,0,0,0,,Next time: at last, the terminal.");

// Counts the paints of the status bar, which every repaint of the window during a run paints.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  qint64 longestGap = 0;
  QElapsedTimer clock;
  qint64 last = 0;

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && clock.isValid()) {
      ++paints;
      const qint64 now = clock.elapsed();
      longestGap = std::max(longestGap, now - last);
      last = now;
    }
    return false;
  }
};

template <class Widget>
Widget* Find(QWidget& form, const char* name) {
  auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) {
    std::fprintf(stderr, "nosk_window_bench: no widget %s\n", name);
    std::exit(1);
  }
  return widget;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER search|preview|replace|shift|convert|undo\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("nosk-bench"));
  const QString run = QString::fromLocal8Bit(argv[2]);
  FakeDesktop::State desktop;
  // The preview's dialog is closed at once: the run is what is timed.
  desktop.onDialog = [](QDialog&) { return int(QDialog::Rejected); };
  nosk::ui::TMainForm form(std::make_unique<FakeDesktop>(desktop));
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;

  const QDir folder(QString::fromLocal8Bit(argv[1]));
  QStringList scripts;
  for (const QString& name : folder.entryList({QStringLiteral("*.ass")}, QDir::Files)) {
    scripts.append(folder.filePath(name));
  }
  form.AddScriptFiles(scripts);

  // Each run: its page (by name: the tabs' order is not the pages' numbers), its button.
  const std::map<QString, std::pair<const char*, const char*>> runs = {
      {"search", {"pg1", "btnP1Search"}},   {"preview", {"pg2", "btnP2Preview"}},
      {"replace", {"pg1", "btnP1Execute"}}, {"shift", {"pg2", "btnP2Execute"}},
      {"convert", {"pg3", "btnP3Execute"}}, {"undo", {nullptr, nullptr}},
  };
  const auto chosen = runs.find(run);
  if (chosen == runs.end()) {
    std::fprintf(stderr, "nosk_window_bench: no run %s\n", argv[2]);
    return 2;
  }
  Find<QPlainTextEdit>(form, "P1Edit1")->setPlainText(kSearch);
  Find<QPlainTextEdit>(form, "P1Edit2")->setPlainText(kReplace);
  Find<QLineEdit>(form, "edP2Shift")->setText(QStringLiteral("0:00:01.50"));
  if (chosen->second.first != nullptr) {
    Find<QTabWidget>(form, "MainPageControl")
        ->setCurrentWidget(Find<QWidget>(form, chosen->second.first));
  }
  QApplication::processEvents();

  PaintCounter counter;
  Find<QStatusBar>(form, "MainStatusBar")->installEventFilter(&counter);
  QElapsedTimer timer;
  timer.start();
  counter.clock.start();
  if (chosen->second.second != nullptr) {
    Find<QAbstractButton>(form, chosen->second.second)->click();
  } else {
    form.findChild<QAction*>(QStringLiteral("actUndoLastRun"))->trigger();
  }
  const qint64 elapsed = timer.elapsed();
  counter.longestGap = std::max(counter.longestGap, elapsed - counter.last);
  std::printf("%lld %d %lld\n", static_cast<long long>(elapsed), counter.paints,
              static_cast<long long>(counter.longestGap));
  return 0;
}
