// The search for a block as a list of partial matches: a new partial match at every event line,
// all of them visited oldest first, each advancing or dropping out, and the whole list emptied
// when one completes. Slow, but plainly the definition; the engine's search must agree with it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace nosk::testsupport {

// The occurrences [first, last] of `block` among `keys`, the comparison keys of the event lines.
template <class Key, class Item>
std::vector<std::pair<int, int>> PartialMatchListSearch(const std::vector<Key>& keys,
                                                        const std::vector<Item>& block) {
  std::vector<std::pair<int, int>> found;
  std::vector<std::size_t> partial;
  for (int r = 0; r < static_cast<int>(keys.size()); ++r) {
    partial.push_back(0);
    for (std::size_t p = 0; p < partial.size();) {
      if (block[partial[p]] != keys[r]) {
        partial.erase(partial.begin() + static_cast<std::ptrdiff_t>(p));
        continue;
      }
      if (++partial[p] == block.size()) {
        found.emplace_back(r - static_cast<int>(block.size()) + 1, r);
        partial.clear();
        break;
      }
      ++p;
    }
  }
  return found;
}

}  // namespace nosk::testsupport
