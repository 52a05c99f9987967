// A run as one value: what it does (an operation with its typed inputs), and how (count, preview
// or write). Each front end builds one: the window one function per page, the command line one
// per subcommand.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/contenthash.h"
#include "script/fileidentity.h"
#include "script/message.h"

namespace nosk::engine {

// What a run does with the scripts it finds something in.
enum class RunMode {
  Count,    // counts only ("Search")
  Preview,  // works out each script's new content as a write would, and writes nothing
  Write,    // writes each script's new content, keeping its previous version
};

// How event lines are compared with the Search block.
enum class Matching : std::int16_t {
  TextOnly = 2,
  TextAndFormat = 3,
  FullMatchWithOffset = 4,  // whole lines, the block's times moved by one common offset
  FullMatch = 5,
};

// What the Replace block substitutes.
enum class Replacement : std::int16_t {
  None = 0,
  TextOnly = 2,
  TextAndFormat = 3,
  TimingShift = 4,
  FullMatch = 5,
};

// Which event lines a timing shift touches.
enum class Affect : std::int16_t {
  AllFilesAllRows = 1,     // every event line; the Search block is not looked for
  AllRows = 2,             // every event line of a script that holds the Search block
  RowsBefore = 3,          // those before the first occurrence
  RowsBeforeAndBlock = 4,  // those up to the last line of the first occurrence
  RowsAfterAndBlock = 5,   // those from the first line of the first occurrence on
  RowsAfter = 6,           // those after the last line of the first occurrence
};

// Which times a timing shift changes.
enum class Times : std::int16_t {
  None = 0,
  StartAndEnd = 1,
  StartOnly = 2,
  EndOnly = 3,
};

enum class Direction { Forward, Backward };

// What a format conversion writes: UTF-8, with the mark or without it.
enum class TargetEncoding : std::int16_t {
  Utf8WithMark = 1,
  Utf8 = 2,
};

// The line ends a format conversion writes.
enum class LineEnds : std::int16_t {
  Keep = 1,  // each line its own
  CrLf = 2,
  Lf = 3,
};

// Which event lines a run sees. A line left out is invisible to it: a block is matched among the
// lines that remain, and no edit touches a line left out. Names compare exactly (a leading `*`
// and the spaces around aside), as libass looks styles up.
struct EventFilter {
  std::vector<std::string> onlyStyles;  // none: every style
  std::vector<std::string> skipStyles;
  std::vector<std::string> onlyActors;  // none: every actor
  std::vector<std::string> skipActors;
  bool skipComments = false;

  bool LeavesOutAny() const {
    return skipComments || !onlyStyles.empty() || !skipStyles.empty() || !onlyActors.empty() ||
           !skipActors.empty();
  }
  bool operator==(const EventFilter&) const = default;
};

// The stable order the event lines are put in before an edit.
enum class SortOrder : std::int16_t {
  None = 0,
  ByTime = 1,   // by Start, then End
  ByStyle = 2,  // by style name, then Start
  ByActor = 3,  // by actor name, then Start
};

// The lines a Search block is looked for, and replaced, in.
enum class Section : std::int16_t {
  Events = 1,  // the event lines of [Events]
  Styles = 2,  // the Style: lines of the style sections; text modes compare the style's name
  Header = 3,  // the Key: value lines of [Script Info]; text modes compare the key
  Any = 4,     // every line outside [Fonts] and [Graphics], whole lines compared
};

// Find a block of event lines; count it, or put the Replace block in its place.
struct ReplaceRequest {
  std::vector<std::string> searchLines;  // as typed (UTF-8, no line ends)
  std::vector<std::string> replaceLines;
  Matching matching = Matching::FullMatch;
  Replacement replacement = Replacement::FullMatch;  // not read by a count
  // The code page of scripts that are neither UTF-8 nor marked, as iconv names it; empty to
  // guess it in each script.
  std::string codePage;
  EventFilter filter;
  SortOrder sort = SortOrder::None;
  Section section = Section::Events;
  // Styles and Header: a script without the block gets the Replace block at the end of the
  // section (the section made when it has none).
  bool addMissing = false;
};

// Move the times of event lines: of every line, or of those before or after the Search block.
struct ShiftRequest {
  std::vector<std::string> searchLines;  // not read when every line of every script moves
  Matching matching = Matching::FullMatch;
  Affect affect = Affect::AllFilesAllRows;
  Times times = Times::StartAndEnd;
  std::int32_t centiseconds = 0;  // the amount, never negative
  Direction direction = Direction::Forward;
  // As a ReplaceRequest's: the code page the Search block is put in for scripts without a mark.
  std::string codePage;
  EventFilter filter;
  SortOrder sort = SortOrder::None;
};

// Find a text inside the Text field of event lines, outside the override blocks ({...}); count
// it, or replace it.
struct TextRequest {
  std::string find;                 // UTF-8: a plain text, or a pattern
  std::optional<std::string> with;  // nothing: the run counts; "" deletes
  bool pattern = false;             // FIND is a Perl-compatible regular expression
  bool ignoreCase = false;          // Unicode's case folding
  bool wholeWords = false;          // no word character (Unicode's) just before nor after
  bool insideTags = false;          // the whole Text field, override blocks included
  bool includeComments = false;     // Comment: lines too
  EventFilter filter;
  // The code page of scripts that are neither UTF-8 nor marked, as iconv names it; empty to
  // guess it in each script.
  std::string codePage;
};

// Put the event lines of every script in a stable order, each line keeping its bytes.
struct SortRequest {
  SortOrder order = SortOrder::ByTime;
  EventFilter filter;  // the lines left out keep their places
};

// Write scripts in UTF-8 with one kind of line end, changing nothing else.
struct ConvertRequest {
  // The code page of scripts that are neither UTF-8 nor marked as UTF-16 or UTF-32, as iconv
  // names it; empty to detect it in each script.
  std::string sourceEncoding;
  TargetEncoding target = TargetEncoding::Utf8WithMark;
  LineEnds lineEnds = LineEnds::Keep;
};

// Take back the most recent run recorded in each folder the list names: for a folder, every
// script of that run; for a script, that script.
struct UndoRequest {
  // Whose runs are taken back: the runner's own, unless root names another user's. The undo is
  // then recorded in that user's journal, as theirs.
  std::optional<unsigned> user;
  // Which run: the newest one not taken back yet (each undo steps back one more), the newest
  // undo not put back yet (a redo), or the run of this id.
  enum class Which { StepBack, Redo, Named };
  Which which = Which::StepBack;
  std::string run;  // for Named
};

// What a preview showed of one script, so that applying the preview writes exactly that.
struct PreviewedScript {
  script::FileIdentity identity;  // the version previewed
  ContentHash newContent;         // the content previewed
  // Why the preview listed it as Error: Apply gives it the same result, and writes nothing.
  std::optional<script::Message> failure;
};
using PreviewedScripts = std::map<std::filesystem::path, PreviewedScript>;

struct RunRequest {
  std::variant<ReplaceRequest, ShiftRequest, ConvertRequest, SortRequest, TextRequest, UndoRequest>
      operation;
  RunMode mode = RunMode::Count;
  // How long a writing run waits for another Nosk run working in the same folder before it
  // refuses that folder's scripts.
  std::chrono::milliseconds folderLockWait = std::chrono::seconds(60);
  // Each result gets the changes as a diff (a preview of one script, nosk-cli --diff).
  bool collectChanges = false;
  // Each script the block was not found in gets where the block came closest.
  bool explainMisses = false;
  // A write that applies a preview: a script is written only while it is still the version
  // previewed, and only with the content previewed; a script not listed is not written.
  const PreviewedScripts* previewed = nullptr;
};

// Each kind of request is done by its operation, made in the operation's own file.
class Operation;
std::unique_ptr<Operation> MakeOperation(const ReplaceRequest& request);
std::unique_ptr<Operation> MakeOperation(const ShiftRequest& request);
std::unique_ptr<Operation> MakeOperation(const ConvertRequest& request);
std::unique_ptr<Operation> MakeOperation(const SortRequest& request);
std::unique_ptr<Operation> MakeOperation(const TextRequest& request);
std::unique_ptr<Operation> MakeOperation(const UndoRequest& request);

}  // namespace nosk::engine
