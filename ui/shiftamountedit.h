// The editor of a timing shift's amount, which only ever holds a valid H:MM:SS.CC time.
#pragma once

#include <QLineEdit>

namespace nosk::ui {

// Digits overwrite in place and step over the separators; Delete and Backspace put zeros; Up and
// Down step the time by a centisecond, second, minute or hour by the modifiers held. Any other
// change (a paste, a cut, an undo) that leaves something other than a valid ten-character time
// puts "0:00:00.00" back. Other characters are refused; the clipboard and the navigation keys
// keep working. `AmountChanged` follows every change of the text.
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

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // A key going down; true when it was handled here (Delete, Backspace, Up, Down).
  bool edP2ShiftKeyDown(int key, Qt::KeyboardModifiers modifiers);
  // A typed digit, placed at the caret.
  void edP2ShiftKeyPress(QChar digit);
  // Every change of the text: anything but a valid ten-character time becomes zero.
  void edP2ShiftChange();
  // The caret position: the start of the selection, if there is one.
  int Caret() const;
  void SetTextAndCaret(const QString& text, int caret);
};

}  // namespace nosk::ui
