#include "filelist/wildcard.h"

namespace nosk::filelist {

bool HasWildcard(QStringView pattern) {
  return pattern.contains(QLatin1Char('*')) || pattern.contains(QLatin1Char('?'));
}

// The greedy matcher with one backtracking point: when a later part fails, the last "*" takes
// one more character. Linear in practice, and never worse than name length times pattern length.
bool MatchesWildcard(QStringView name, QStringView pattern) {
  qsizetype n = 0;
  qsizetype p = 0;
  qsizetype starAt = -1;   // the pattern position after the last "*" seen
  qsizetype starName = 0;  // where in the name that "*" stopped
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
      starAt = ++p;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starAt >= 0) {
      p = starAt;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == QLatin1Char('*')) ++p;
  return p == pattern.size();
}

}  // namespace nosk::filelist
