// The lines a preview shows of one script: its changes, or where a block came closest.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <vector>

#include "engine/nearmiss.h"
#include "engine/scriptdiff.h"

namespace nosk::ui {

// How one line of a ChangeView looks: its background, and the part of it marked.
struct ChangeRowLook {
  enum Kind { Context, Removed, Added, Note } kind = Context;
  qsizetype margin = 0;  // the numbers and the sign before the line's text, grey
  qsizetype markFrom = 0;
  qsizetype markTo = 0;
};

// A read-only view of numbered lines in a fixed font, laid out only as far as it is scrolled,
// so that a script whose every line changes shows at once.
//
// Changes: each changed line's old version directly above its new one, so that their times
// stand one above the other, the part that differs marked; unchanged lines around them grey.
// A UTF-8 mark removed or added is a line of its own, and differing line ends are shown.
class ChangeView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ChangeView(QWidget* parent);

  void ShowChanges(const std::vector<engine::DiffHunk>& hunks);
  // The block's line that differs beside the script's, the difference marked.
  void ShowNearMiss(const engine::NearMiss& miss);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The whole text at once, its looks given to each line's layout: nothing is laid out before
  // it is scrolled into view, and the backgrounds are painted across the view's width.
  void Present(const QString& text, std::vector<ChangeRowLook> looks);

  std::vector<ChangeRowLook> looks_;  // by line
};

// Where a block that was not found came closest, in one sentence.
QString NearMissSentence(const engine::NearMiss& miss);

}  // namespace nosk::ui
