#include "ui/changeview.h"

#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <string_view>

namespace nosk::ui {
namespace {

const QColor kRemoved(0xfd, 0xe8, 0xe8);
const QColor kAdded(0xe6, 0xf6, 0xe6);
const QColor kRemovedMark(0xf5, 0xa3, 0xa3);
const QColor kAddedMark(0x94, 0xd6, 0x94);
const QColor kGrey(0x80, 0x80, 0x80);
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A diff line as shown: its text, and its line end apart.
struct ShownLine {
  QString text;
  QString end;
};

// The mark a first line may start with is not shown as a character.
ShownLine Split(const std::string& line) {
  std::string_view bytes = line;
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  std::size_t end = bytes.size();
  while (end > 0 && (bytes[end - 1] == '\n' || bytes[end - 1] == '\r')) --end;
  return {QString::fromUtf8(bytes.data(), static_cast<qsizetype>(end)),
          QString::fromLatin1(bytes.data() + end, static_cast<qsizetype>(bytes.size() - end))};
}

// A line end made visible, for two versions of a line that differ in it.
QString Visible(const QString& end) {
  QString shown;
  for (QChar c : end) shown += c == u'\r' ? QStringLiteral("␍") : QStringLiteral("␊");
  return shown;
}

// Where two lines stop agreeing from the start, and from the end.
void Difference(const QString& a, const QString& b, qsizetype& start, qsizetype& endA,
                qsizetype& endB) {
  const qsizetype shorter = std::min(a.size(), b.size());
  start = 0;
  while (start < shorter && a[start] == b[start]) ++start;
  qsizetype suffix = 0;
  while (suffix < shorter - start && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
    ++suffix;
  }
  endA = a.size() - suffix;
  endB = b.size() - suffix;
}

using Kind = ChangeRowLook::Kind;

// Gathers lines: a number column, a sign column, then the line, with [from, to) of it marked.
class Rows {
 public:
  Rows(int numberWidth, int signWidth) : numberWidth_(numberWidth), signWidth_(signWidth) {}

  void Add(Kind kind, const QString& number, const QString& sign, const QString& text,
           qsizetype from = 0, qsizetype to = 0) {
    if (!looks_.empty()) text_ += QLatin1Char('\n');
    const QString margin = number.rightJustified(numberWidth_) + QLatin1Char(' ') +
                           sign.leftJustified(signWidth_) + QLatin1Char(' ');
    from = std::clamp<qsizetype>(from, 0, text.size());
    to = std::clamp<qsizetype>(to, from, text.size());
    text_ += margin;
    text_ += text;
    looks_.push_back({kind, margin.size(), margin.size() + from, margin.size() + to});
  }

  QString& Text() { return text_; }
  std::vector<ChangeRowLook>& Looks() { return looks_; }

 private:
  int numberWidth_;
  int signWidth_;
  QString text_;
  std::vector<ChangeRowLook> looks_;
};

QString Number(int n) { return QString::number(n); }

// A changed line's old and new versions, one under the other, their difference marked.
void AddPair(Rows& rows, const std::string& oldLine, const std::string& newLine, int oldNumber,
             int newNumber) {
  ShownLine before = Split(oldLine);
  ShownLine after = Split(newLine);
  // A UTF-8 mark is no character of the line: its coming or going is a line of its own.
  if (oldNumber == 1 && newNumber == 1) {
    const bool hadMark = oldLine.starts_with(kUtf8Mark);
    const bool hasMark = newLine.starts_with(kUtf8Mark);
    if (hadMark && !hasMark) {
      rows.Add(Kind::Note, {}, QStringLiteral("−"), ChangeView::tr("the UTF-8 mark is removed"));
    }
    if (hasMark && !hadMark) {
      rows.Add(Kind::Note, {}, QStringLiteral("+"), ChangeView::tr("the UTF-8 mark is added"));
    }
  }
  if (before.end != after.end) {
    before.text += Visible(before.end);
    after.text += Visible(after.end);
  }
  if (before.text == after.text) {
    rows.Add(Kind::Context, Number(oldNumber), QStringLiteral(" "), before.text);
    return;
  }
  qsizetype start = 0, endBefore = 0, endAfter = 0;
  Difference(before.text, after.text, start, endBefore, endAfter);
  rows.Add(Kind::Removed, Number(oldNumber), QStringLiteral("−"), before.text, start, endBefore);
  rows.Add(Kind::Added, Number(newNumber), QStringLiteral("+"), after.text, start, endAfter);
}

}  // namespace

ChangeView::ChangeView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ChangeView::ShowChanges(const std::vector<engine::DiffHunk>& hunks) {
  int last = 1;
  for (const engine::DiffHunk& hunk : hunks) {
    last = std::max({last, hunk.oldStart + hunk.oldCount, hunk.newStart + hunk.newCount});
  }
  Rows rows(static_cast<int>(Number(last).size()), 1);
  for (std::size_t h = 0; h < hunks.size(); ++h) {
    const engine::DiffHunk& hunk = hunks[h];
    if (h > 0) rows.Add(Kind::Context, {}, {}, QStringLiteral("…"));
    int oldNumber = hunk.oldStart;
    int newNumber = hunk.newStart;
    const std::vector<engine::DiffLine>& lines = hunk.lines;
    for (std::size_t i = 0; i < lines.size();) {
      if (lines[i].kind == ' ') {
        rows.Add(Kind::Context, Number(oldNumber++), QStringLiteral(" "),
                 Split(lines[i].text).text);
        ++newNumber;
        ++i;
        continue;
      }
      // A run of removed lines and the added lines after it: line k of one is shown with line
      // k of the other, the rest after them.
      std::size_t removedEnd = i;
      while (removedEnd < lines.size() && lines[removedEnd].kind == '-') ++removedEnd;
      std::size_t addedEnd = removedEnd;
      while (addedEnd < lines.size() && lines[addedEnd].kind == '+') ++addedEnd;
      const std::size_t removed = removedEnd - i;
      const std::size_t added = addedEnd - removedEnd;
      const std::size_t paired = std::min(removed, added);
      for (std::size_t k = 0; k < paired; ++k) {
        AddPair(rows, lines[i + k].text, lines[removedEnd + k].text, oldNumber++, newNumber++);
      }
      for (std::size_t k = paired; k < removed; ++k) {
        rows.Add(Kind::Removed, Number(oldNumber++), QStringLiteral("−"),
                 Split(lines[i + k].text).text);
      }
      for (std::size_t k = paired; k < added; ++k) {
        rows.Add(Kind::Added, Number(newNumber++), QStringLiteral("+"),
                 Split(lines[removedEnd + k].text).text);
      }
      i = addedEnd;
    }
  }
  Present(rows.Text(), std::move(rows.Looks()));
}

void ChangeView::ShowNearMiss(const engine::NearMiss& miss) {
  const QString block = ChangeView::tr("block");
  const QString script = ChangeView::tr("script");
  Rows rows(static_cast<int>(Number(miss.differingLine + 1).size()),
            static_cast<int>(std::max(block.size(), script.size())));
  if (!miss.any) {
    clear();
    return;
  }
  const QString expected = QString::fromUtf8(miss.expected);
  const QString found = QString::fromUtf8(miss.found);
  qsizetype start = 0, endFound = 0, endExpected = 0;
  Difference(found, expected, start, endFound, endExpected);
  rows.Add(Kind::Added, {}, block, expected, start, endExpected);
  if (miss.differingLine >= 0) {
    rows.Add(Kind::Removed, Number(miss.differingLine + 1), script, found, start, endFound);
  }
  Present(rows.Text(), std::move(rows.Looks()));
}

void ChangeView::Present(const QString& text, std::vector<ChangeRowLook> looks) {
  looks_ = std::move(looks);
  setPlainText(text);
  QTextCharFormat grey;
  grey.setForeground(kGrey);
  QTextCharFormat italic;
  italic.setFontItalic(true);
  std::size_t line = 0;
  for (QTextBlock block = document()->begin(); block.isValid() && line < looks_.size();
       block = block.next(), ++line) {
    const ChangeRowLook& look = looks_[line];
    QList<QTextLayout::FormatRange> formats;
    const qsizetype length = block.length() - 1;
    formats.append({0, static_cast<int>(look.margin), grey});
    if (look.kind == Kind::Context) {
      formats.append({static_cast<int>(look.margin), static_cast<int>(length - look.margin), grey});
    } else if (look.kind == Kind::Note) {
      formats.append(
          {static_cast<int>(look.margin), static_cast<int>(length - look.margin), italic});
    } else if (look.markTo > look.markFrom) {
      QTextCharFormat mark;
      mark.setBackground(look.kind == Kind::Added ? kAddedMark : kRemovedMark);
      formats.append(
          {static_cast<int>(look.markFrom), static_cast<int>(look.markTo - look.markFrom), mark});
    }
    block.layout()->setFormats(formats);
  }
  moveCursor(QTextCursor::Start);
}

void ChangeView::paintEvent(QPaintEvent* event) {
  {
    // Each removed or added line's background, across the whole width, under its text.
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const int width = viewport()->width();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
      const QRectF bounds = blockBoundingGeometry(block).translated(offset);
      if (bounds.top() > event->rect().bottom()) break;
      const auto line = static_cast<std::size_t>(block.blockNumber());
      if (line >= looks_.size()) break;
      const Kind kind = looks_[line].kind;
      if (kind != Kind::Removed && kind != Kind::Added) continue;
      painter.fillRect(QRectF(0, bounds.top(), width, bounds.height()),
                       kind == Kind::Added ? kAdded : kRemoved);
    }
  }
  QPlainTextEdit::paintEvent(event);
}

QString NearMissSentence(const engine::NearMiss& miss) {
  if (!miss.any) return ChangeView::tr("The script has no event line to compare with the block.");
  if (miss.timingOnly) {
    return ChangeView::tr(
               "The block was not found. Its lines match from line %1 apart from their times, "
               "but its inner timing differs: line %2 is not at the offset of the first (its "
               "line %3, moved by that offset):")
        .arg(miss.firstLine + 1)
        .arg(miss.differingLine + 1)
        .arg(miss.differingItem + 1);
  }
  if (miss.matched == 0) {
    return ChangeView::tr(
               "The block was not found. No line of it matches; line %1 comes closest to "
               "its first line:")
        .arg(miss.differingLine + 1);
  }
  if (miss.differingLine < 0) {
    return ChangeView::tr(
               "The block was not found. Its first %1 of %2 lines match from line %3, "
               "where the script's event lines end.")
        .arg(miss.matched)
        .arg(miss.blockLines)
        .arg(miss.firstLine + 1);
  }
  return ChangeView::tr(
             "The block was not found. %1 of its %2 lines match from line %3; then "
             "line %4 differs from its line %5:")
      .arg(miss.matched)
      .arg(miss.blockLines)
      .arg(miss.firstLine + 1)
      .arg(miss.differingLine + 1)
      .arg(miss.differingItem + 1);
}

}  // namespace nosk::ui
