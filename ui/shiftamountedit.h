// The editor of a timing shift's amount, which only ever holds a valid H:MM:SS.CC time.
#pragma once

#include <QLineEdit>

namespace nosk::ui {

// Digits overwrite in place and step over the separators; Delete and Backspace put zeros; Up and
// Down step the time by a centisecond, second, minute or hour by the modifiers held. A paste (by
// key, menu, middle click or drop) of an amount in a free form ("1.5", "-1:30", "1m30s", ...)
// sets that amount; `AmountPasted` says whether it began with a minus sign. With the whole amount
// selected, typed text replaces it as such a free-form amount, set when Enter is pressed or the
// box is left. A paste or typed text that is no amount leaves the amount as it was, and
// `AmountRefused` says so. Any other change (a cut, an undo) that leaves something other than a
// valid ten-character time puts "0:00:00.00" back. Other characters are refused; the clipboard and
// the navigation keys keep working. `AmountChanged` follows every change of the text.
class ShiftAmountEdit : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr const char* kZero = "0:00:00.00";

  explicit ShiftAmountEdit(QWidget* parent);

  // One step up (+1) or down (-1), its size by the modifiers: none a centisecond, Shift a
  // second, Ctrl a minute, Ctrl+Shift an hour. The caret stays where it was.
  void Step(int direction, Qt::KeyboardModifiers held);
  void Clear() { setText(QString::fromLatin1(kZero)); }

 signals:
  void AmountChanged();
  // A pasted amount was set; `backward` when it was written with a minus sign.
  void AmountPasted(bool backward);
  // A pasted or typed text was no amount; the amount stays.
  void AmountRefused(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // A key going down; true when it was handled here (Delete, Backspace, Up, Down).
  bool edP2ShiftKeyDown(int key, Qt::KeyboardModifiers modifiers);
  // Sets a pasted text as the amount when it is one; false, changing nothing, when it is not.
  bool PasteAmount(const QString& pasted);
  // The clipboard's text as the amount, or else pasted as the line edit pastes.
  void PasteFromClipboard();
  // A typed digit, placed at the caret.
  void edP2ShiftKeyPress(QChar digit);
  // Every change of the text: anything but a valid ten-character time becomes zero.
  void edP2ShiftChange();
  // The caret position: the start of the selection, if there is one.
  int Caret() const;
  void SetTextAndCaret(const QString& text, int caret);
  // Free-form typing, begun over a whole selection: the text typed, set as an amount by Commit.
  void BeginFreeForm(const QString& typed);
  void CommitFreeForm();

  bool freeForm_ = false;
  QString beforeFreeForm_;  // the amount, for a typed text that is none
};

}  // namespace nosk::ui
