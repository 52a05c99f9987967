// What a preview shows of one script, as rich text.
#pragma once

#include <QString>
#include <vector>

#include "engine/nearmiss.h"
#include "engine/scriptdiff.h"

namespace nosk::ui {

// The changes of a script: every changed line old and new, with its line numbers, in a fixed
// font so that the times of the old and the new line stand one above the other, and in each
// pair of lines the part that differs marked. Unchanged lines around them are grey.
QString ChangesHtml(const std::vector<engine::DiffHunk>& hunks);

// Where a block that was not found came closest: how many of its lines matched where, and the
// first line that differs beside the block's line, the difference marked.
QString NearMissHtml(const engine::NearMiss& miss);

}  // namespace nosk::ui
