// Name patterns of the command line, as a shell on Windows reads them.
#pragma once

#include <QStringView>

namespace nosk::filelist {

// Whether the pattern holds a wildcard: "*" or "?". Brackets are not wildcards: release names
// carry their group in them ("Hoshi S01E01 [Kuro].ass").
bool HasWildcard(QStringView pattern);

// Whether the whole name matches the pattern, case-sensitively: "*" stands for any run of
// characters (none included), "?" for exactly one, and every other character for itself.
bool MatchesWildcard(QStringView name, QStringView pattern);

}  // namespace nosk::filelist
