#include "ui/shiftamountedit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <memory>

#include "script/shiftamount.h"
#include "script/timecodes.h"

namespace nosk::ui {
namespace {

bool BeforeSeparator(int position) { return position == 1 || position == 4 || position == 7; }
bool AfterSeparator(int position) { return position == 2 || position == 5 || position == 8; }

}  // namespace

ShiftAmountEdit::ShiftAmountEdit(QWidget* parent) : QLineEdit(QString::fromLatin1(kZero), parent) {
  setMaxLength(10);
  connect(this, &QLineEdit::textChanged, this, &ShiftAmountEdit::edP2ShiftChange);
}

int ShiftAmountEdit::Caret() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void ShiftAmountEdit::SetTextAndCaret(const QString& text, int caret) {
  setText(text);  // raises the change check at once when the text differs
  setCursorPosition(caret);
}

void ShiftAmountEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFromClipboard();
    return;
  }
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (freeForm_) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      CommitFreeForm();
      return;
    }
    if (event->key() == Qt::Key_Escape) {
      freeForm_ = false;
      setMaxLength(10);
      setText(beforeFreeForm_);
      return;
    }
    QLineEdit::keyPressEvent(event);  // plain editing of the typed text
    return;
  }
  // Typed over the whole amount: a free-form amount, not digits overwriting in place.
  if (!shortcut && typed.size() == 1 && typed[0].isPrint() && hasSelectedText() &&
      selectedText() == text()) {
    BeginFreeForm(typed);
    return;
  }
  if (edP2ShiftKeyDown(event->key(), event->modifiers())) return;
  if (!shortcut && typed.size() == 1 && typed[0].isPrint()) {
    // The edit takes digits only; any other character is refused.
    if (typed[0] >= QLatin1Char('0') && typed[0] <= QLatin1Char('9')) edP2ShiftKeyPress(typed[0]);
    return;
  }
  QLineEdit::keyPressEvent(event);  // navigation, selection and the clipboard
}

bool ShiftAmountEdit::edP2ShiftKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  QString t = text();
  int p = Caret();
  switch (key) {
    case Qt::Key_Delete:
      if (p < 10) {
        if (BeforeSeparator(p)) ++p;
        t[p] = QLatin1Char('0');
        SetTextAndCaret(t, p + 1);
      }
      return true;
    case Qt::Key_Backspace:
      if (p > 0) {
        if (AfterSeparator(p)) --p;
        t[p - 1] = QLatin1Char('0');
        SetTextAndCaret(t, p - 1);
      }
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      Step(key == Qt::Key_Up ? 1 : -1, modifiers);
      return true;
    default:
      return false;
  }
}

void ShiftAmountEdit::BeginFreeForm(const QString& typed) {
  beforeFreeForm_ = text();
  freeForm_ = true;
  setMaxLength(32);
  setText(typed);
  setCursorPosition(typed.size());
}

void ShiftAmountEdit::CommitFreeForm() {
  if (!freeForm_) return;
  freeForm_ = false;
  const QString typed = text();
  setText(beforeFreeForm_);
  setMaxLength(10);
  if (!PasteAmount(typed)) emit AmountRefused(typed);
}

void ShiftAmountEdit::focusOutEvent(QFocusEvent* event) {
  CommitFreeForm();
  QLineEdit::focusOutEvent(event);
}

bool ShiftAmountEdit::PasteAmount(const QString& pasted) {
  // No frame rate here: frames are not an amount the window takes.
  const script::AmountReading reading = script::ReadShiftAmount(pasted.toStdString(), {});
  if (!reading.amount) return false;
  setText(QString::fromStdString(script::FormatTime(reading.amount->centiseconds)));
  setCursorPosition(0);
  emit AmountPasted(reading.amount->backward);
  return true;
}

void ShiftAmountEdit::PasteFromClipboard() {
  const QString pasted = QApplication::clipboard()->text();
  if (!PasteAmount(pasted)) emit AmountRefused(pasted);
}

void ShiftAmountEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu());
  // The menu's Paste goes where Ctrl+V goes. The line edit's menu names it with the line edit's
  // own caption, in the window's language, and its shortcut after a tab.
  // (Qt's own translation, not Nosk's: hence no literals for lupdate to collect here.)
  static constexpr const char* kContext = "QLineEdit";
  static constexpr const char* kPaste = "&Paste";
  const QString paste = QCoreApplication::translate(kContext, kPaste);
  for (QAction* action : menu->actions()) {
    if (action->text().section(QLatin1Char('\t'), 0, 0) != paste) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, &ShiftAmountEdit::PasteFromClipboard);
  }
  menu->exec(event->globalPos());
}

void ShiftAmountEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection, where the system has one.
  const QClipboard* clipboard = QApplication::clipboard();
  if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
      PasteAmount(clipboard->text(QClipboard::Selection))) {
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void ShiftAmountEdit::dropEvent(QDropEvent* event) {
  if (event->mimeData()->hasText() && PasteAmount(event->mimeData()->text())) {
    event->acceptProposedAction();
    return;
  }
  QLineEdit::dropEvent(event);
}

void ShiftAmountEdit::edP2ShiftKeyPress(QChar digit) {
  QString t = text();
  int p = Caret();
  if (p >= 10) return;  // past the last character: the digit is lost
  if (BeforeSeparator(p)) ++p;
  // The tens of minutes and of seconds go up to 5; a 6 there carries one into the digit two
  // places to the left (the hour, or the units of the minutes) unless that is a 9.
  if (p == 2 || p == 5) {
    if (digit >= QLatin1Char('7')) {
      digit = QLatin1Char('5');
    } else if (digit == QLatin1Char('6')) {
      digit = QLatin1Char('0');
      if (t[p - 2] < QLatin1Char('9')) t[p - 2] = QChar(t[p - 2].unicode() + 1);
    }
  }
  t[p] = digit;
  SetTextAndCaret(t, p + 1);
}

void ShiftAmountEdit::Step(int direction, Qt::KeyboardModifiers held) {
  const bool shift = held & Qt::ShiftModifier;
  const bool control = held & Qt::ControlModifier;
  const std::int32_t step =
      control ? (shift ? script::kCentisecondsPerHour : script::kCentisecondsPerMinute)
              : (shift ? script::kCentisecondsPerSecond : 1);
  const int caret = Caret();
  const std::string stepped = script::AddTimeOffset(text().toStdString(), direction * step);
  SetTextAndCaret(QString::fromStdString(stepped), caret);
}

void ShiftAmountEdit::edP2ShiftChange() {
  if (freeForm_) return;  // checked when it is set
  if (text().size() != 10 || !script::IsValidTime(text().toStdString())) {
    setText(QString::fromLatin1(kZero));  // raises this check once more, on a valid text
    return;
  }
  emit AmountChanged();
}

}  // namespace nosk::ui
