#include "ui/changeview.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace nosk::ui {
namespace {

constexpr const char* kRemoved = "#fde8e8";
constexpr const char* kAdded = "#e6f6e6";
constexpr const char* kRemovedMark = "#f5a3a3";
constexpr const char* kAddedMark = "#94d694";

QString Line(const std::string& text) {
  std::string_view bytes = text;
  while (bytes.ends_with('\n') || bytes.ends_with('\r')) bytes.remove_suffix(1);
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The text with [from, to) on a background of its own.
QString Marked(const QString& text, qsizetype from, qsizetype to, const char* mark) {
  from = std::clamp<qsizetype>(from, 0, text.size());
  to = std::clamp<qsizetype>(to, from, text.size());
  return text.left(from).toHtmlEscaped() +
         QStringLiteral("<span style=\"background:%1\">").arg(QLatin1String(mark)) +
         text.mid(from, to - from).toHtmlEscaped() + QStringLiteral("</span>") +
         text.mid(to).toHtmlEscaped();
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

QString Row(const QString& oldNumber, const QString& newNumber, const QString& sign,
            const QString& html, const char* background, const char* color = "#000000") {
  return QStringLiteral(
             "<tr style=\"background:%1\"><td align=\"right\" style=\"color:#808080\">%2</td>"
             "<td align=\"right\" style=\"color:#808080\">%3</td><td>%4</td>"
             "<td style=\"white-space:pre; color:%5\">%6</td></tr>")
      .arg(QLatin1String(background), oldNumber, newNumber, sign, QLatin1String(color), html);
}

QString Table(const QString& rows) {
  return QStringLiteral(
             "<table cellspacing=\"0\" cellpadding=\"1\" style=\"font-family:monospace\">%1"
             "</table>")
      .arg(rows);
}

}  // namespace

QString ChangesHtml(const std::vector<engine::DiffHunk>& hunks) {
  QString rows;
  for (std::size_t h = 0; h < hunks.size(); ++h) {
    const engine::DiffHunk& hunk = hunks[h];
    if (h > 0) rows += Row({}, {}, {}, QStringLiteral("…"), "#ffffff", "#808080");
    int oldNumber = hunk.oldStart;
    int newNumber = hunk.newStart;
    const std::vector<engine::DiffLine>& lines = hunk.lines;
    for (std::size_t i = 0; i < lines.size();) {
      if (lines[i].kind == ' ') {
        rows += Row(QString::number(oldNumber++), QString::number(newNumber++), QStringLiteral(" "),
                    Line(lines[i].text).toHtmlEscaped(), "#ffffff", "#808080");
        ++i;
        continue;
      }
      // A run of removed lines and the added lines after it: line k of one is paired with line
      // k of the other, and their difference marked.
      std::size_t removedEnd = i;
      while (removedEnd < lines.size() && lines[removedEnd].kind == '-') ++removedEnd;
      std::size_t addedEnd = removedEnd;
      while (addedEnd < lines.size() && lines[addedEnd].kind == '+') ++addedEnd;
      const std::size_t removed = removedEnd - i;
      const std::size_t added = addedEnd - removedEnd;
      for (std::size_t k = 0; k < removed; ++k) {
        const QString text = Line(lines[i + k].text);
        QString html = text.toHtmlEscaped();
        if (k < added) {
          qsizetype start = 0, endOld = 0, endNew = 0;
          Difference(text, Line(lines[removedEnd + k].text), start, endOld, endNew);
          html = Marked(text, start, endOld, kRemovedMark);
        }
        rows += Row(QString::number(oldNumber++), {}, QStringLiteral("−"), html, kRemoved);
      }
      for (std::size_t k = 0; k < added; ++k) {
        const QString text = Line(lines[removedEnd + k].text);
        QString html = text.toHtmlEscaped();
        if (k < removed) {
          qsizetype start = 0, endOld = 0, endNew = 0;
          Difference(Line(lines[i + k].text), text, start, endOld, endNew);
          html = Marked(text, start, endNew, kAddedMark);
        }
        rows += Row({}, QString::number(newNumber++), QStringLiteral("+"), html, kAdded);
      }
      i = addedEnd;
    }
  }
  return Table(rows);
}

QString NearMissHtml(const engine::NearMiss& miss) {
  if (!miss.any)
    return QCoreApplication::translate("ChangeView",
                                       "The script has no event line to compare with the block.");
  const QString expected = QString::fromUtf8(miss.expected);
  const QString found = QString::fromUtf8(miss.found);
  qsizetype start = 0, endFound = 0, endExpected = 0;
  Difference(found, expected, start, endFound, endExpected);
  QString text;
  if (miss.matched == 0) {
    text = QCoreApplication::translate(
               "ChangeView",
               "The block was not found. No line of it matches; line %1 comes closest to "
               "its first line:")
               .arg(miss.differingLine + 1);
  } else if (miss.differingLine < 0) {
    text = QCoreApplication::translate(
               "ChangeView",
               "The block was not found. Its first %1 of %2 lines match from line %3, "
               "where the script's event lines end.")
               .arg(miss.matched)
               .arg(miss.blockLines)
               .arg(miss.firstLine + 1);
  } else {
    text = QCoreApplication::translate(
               "ChangeView",
               "The block was not found. %1 of its %2 lines match from line %3; then "
               "line %4 differs from its line %5:")
               .arg(miss.matched)
               .arg(miss.blockLines)
               .arg(miss.firstLine + 1)
               .arg(miss.differingLine + 1)
               .arg(miss.differingItem + 1);
  }
  QString rows = Row({}, {}, QCoreApplication::translate("ChangeView", "block"),
                     Marked(expected, start, endExpected, kAddedMark), kAdded);
  if (miss.differingLine >= 0) {
    rows += Row(QString::number(miss.differingLine + 1), {},
                QCoreApplication::translate("ChangeView", "script"),
                Marked(found, start, endFound, kRemovedMark), kRemoved);
  }
  return QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()) + Table(rows);
}

}  // namespace nosk::ui
