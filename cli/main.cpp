// nosk-cli: the runs of the window, without the window.
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/blockfile.h"
#include "cli/historycommand.h"
#include "cli/runcommand.h"
#include "engine/codepages.h"
#include "engine/runrequest.h"
#include "script/filedescriptor.h"
#include "script/outcome.h"
#include "script/shiftamount.h"
#include "script/temporaryfile.h"

namespace {

// Levenshtein's distance between two words: the edits that make one the other.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// For the first word before -- that looks like a long option the command has none of, the
// command's option nearest to it ("--dryrun": "--dry-run"); empty when none is near.
std::string NearestOption(CLI::App& app, int argc, char** argv) {
  if (argc < 2) return {};
  CLI::App* command = nullptr;
  for (CLI::App* candidate : app.get_subcommands({})) {
    if (candidate->get_name() == argv[1]) command = candidate;
  }
  if (command == nullptr) return {};
  std::vector<std::string> names = {"help"};
  for (const CLI::Option* option : command->get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back(name);
  }
  for (int i = 2; i < argc && std::string_view(argv[i]) != "--"; ++i) {
    std::string_view word = argv[i];
    if (!word.starts_with("--")) continue;
    word.remove_prefix(2);
    word = word.substr(0, word.find('='));
    if (std::find(names.begin(), names.end(), word) != names.end()) continue;
    std::string best;
    std::size_t bestDistance = 3;  // two edits at most: a typo, not another option
    for (const std::string& name : names) {
      const std::size_t distance = EditDistance(word, name);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = "--" + name;
      }
    }
    return best;
  }
  return {};
}

// A word that begins with a single - and then names a script (.ass, .ssa in any case) or holds a
// slash: no option of ours is spelt so.
bool LooksLikeAPath(std::string_view word) {
  if (word.size() < 2 || word[0] != '-' || word[1] == '-') return false;
  const auto endsWith = [&](std::string_view suffix) {
    if (word.size() < suffix.size()) return false;
    const std::string_view end = word.substr(word.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(end[i])) != suffix[i]) return false;
    }
    return true;
  };
  return endsWith(".ass") || endsWith(".ssa") || word.find('/') != std::string_view::npos;
}

using nosk::engine::Affect;
using nosk::engine::LineEnds;
using nosk::engine::Matching;
using nosk::engine::Replacement;
using nosk::engine::RunMode;
using nosk::engine::RunRequest;
using nosk::engine::Section;
using nosk::engine::SortOrder;
using nosk::engine::TargetEncoding;
using nosk::engine::Times;

constexpr int kStoppedAtCheck = 2;

const std::map<std::string, Matching> kMatchings = {{"text", Matching::TextOnly},
                                                    {"format", Matching::TextAndFormat},
                                                    {"offset", Matching::FullMatchWithOffset},
                                                    {"full", Matching::FullMatch}};
const std::map<std::string, Section> kSections = {{"events", Section::Events},
                                                  {"styles", Section::Styles},
                                                  {"header", Section::Header},
                                                  {"any", Section::Any}};
const std::map<std::string, SortOrder> kSortOrders = {
    {"time", SortOrder::ByTime}, {"style", SortOrder::ByStyle}, {"actor", SortOrder::ByActor}};
const std::map<std::string, Replacement> kReplacements = {{"text", Replacement::TextOnly},
                                                          {"format", Replacement::TextAndFormat},
                                                          {"timing", Replacement::TimingShift},
                                                          {"full", Replacement::FullMatch}};
const std::map<std::string, Times> kTimes = {
    {"both", Times::StartAndEnd}, {"start", Times::StartOnly}, {"end", Times::EndOnly}};
const std::map<std::string, TargetEncoding> kTargets = {{"utf-8-bom", TargetEncoding::Utf8WithMark},
                                                        {"utf-8", TargetEncoding::Utf8}};
const std::map<std::string, LineEnds> kLineEnds = {
    {"keep", LineEnds::Keep}, {"crlf", LineEnds::CrLf}, {"lf", LineEnds::Lf}};

// The affect mode as the "Affect" group gives it: "Include Search Block" counts with "before"
// and "after" only.
Affect AffectModeOf(const std::string& affect, bool includeBlock) {
  if (affect == "all") return Affect::AllRows;
  if (affect == "before") return includeBlock ? Affect::RowsBeforeAndBlock : Affect::RowsBefore;
  if (affect == "after") return includeBlock ? Affect::RowsAfterAndBlock : Affect::RowsAfter;
  return Affect::AllFilesAllRows;
}

template <class Value>
std::vector<std::string> Keys(const std::map<std::string, Value>& choices) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : choices) keys.push_back(key);
  return keys;
}

struct Options {
  std::string block;
  std::string with;
  std::string match = "full";
  std::string mode = "full";
  std::string by;
  std::string fps;
  bool backward = false;
  std::string affect = "all-files";
  bool includeBlock = false;
  std::string times = "both";
  bool dryRun = false;
  bool diff = false;
  bool explain = false;
  double wait = 60;
  std::string from = "auto";
  std::string codePage = "auto";
  std::string to = "utf-8-bom";
  std::string eol = "keep";
  bool recursive = false;
  std::string user;  // undo: whose runs, when root names another user
  std::string run;   // undo: the run of this id
  nosk::engine::EventFilter filter;
  // text: what it finds and puts in, and how.
  std::string find;
  std::string findFile;
  std::string replacement;
  std::string replacementFile;
  bool pattern = false;
  bool ignoreCase = false;
  bool wholeWords = false;
  bool insideTags = false;
  bool includeComments = false;
  std::string sort;  // replace, shift: the order put first; sort: the order
  std::string section = "events";
  bool addMissing = false;
  std::vector<std::string> paths;
};

// A source encoding as the code page list or iconv names it, or "auto".
const CLI::Validator kSourceEncoding(
    [](std::string& text) {
      return text == "auto" || !nosk::engine::CodePageName(text).empty()
                 ? std::string()
                 : "not an encoding this system knows: " + text +
                       " (auto, or a code page: windows-1251, shift-jis, gb18030, big5, ...)";
    },
    "");

// A frame rate as --fps takes it.
const CLI::Validator kFrameRate(
    [](std::string& text) {
      return nosk::script::ReadFrameRate(text)
                 ? std::string()
                 : "not a frame rate: " + text + " (23.976, 24000/1001, 25, 29.97, ...)";
    },
    "");

// The shift amount of --by, with --fps when it is in frames; a usage error otherwise.
nosk::script::ShiftAmount AmountOf(const Options& options) {
  std::optional<nosk::script::FrameRate> rate;
  if (!options.fps.empty()) rate = nosk::script::ReadFrameRate(options.fps);
  const nosk::script::AmountReading reading = nosk::script::ReadShiftAmount(options.by, rate);
  if (reading.needsFrameRate) {
    throw CLI::ValidationError(
        "--by", reading.error + ": give it with --fps (23.976, " + "24000/1001, 25, 29.97, ...)");
  }
  if (!reading.amount) throw CLI::ValidationError("--by", reading.error);
  if (reading.amount->backward && options.backward) {
    throw CLI::ValidationError("--by",
                               "a minus sign and --backward both say back: give one of "
                               "them");
  }
  return *reading.amount;
}

void AddPaths(CLI::App* command, Options& options) {
  command->add_option("PATH", options.paths, "Scripts (.ass, .ssa), or folders of them")
      ->type_name("")
      ->required();
}

// Paths of a run that may name folders with subfolders.
void AddScriptPaths(CLI::App* command, Options& options) {
  command->add_flag("-r,--recursive", options.recursive,
                    "Take the scripts of the folders' subfolders too, at any depth (not those of "
                    "Nosk_backup, nor of a link to a folder)");
  AddPaths(command, options);
}

void AddWait(CLI::App* command, Options& options) {
  command
      ->add_option("--wait", options.wait,
                   "Seconds to wait for another Nosk run working in the same folder before its "
                   "scripts are refused")
      ->type_name("SECONDS")
      ->check(CLI::Range(0.0, 86400.0))
      ->capture_default_str();
}

// The options of a command that rewrites scripts.
void AddRewriting(CLI::App* command, Options& options) {
  command->add_flag("--dry-run", options.dryRun,
                    "Write nothing: the results are what the run would give");
  command->add_flag("--diff", options.diff,
                    "Print a unified diff of every script the run changes (or would change) in "
                    "place of the result lines, which go to stderr");
  AddWait(command, options);
}

void AddExplain(CLI::App* command, Options& options) {
  command->add_flag("--explain", options.explain,
                    "For a script the block is not in, tell on stderr where it came closest");
}

void AddMatch(CLI::App* command, Options& options) {
  command->add_option("--match", options.match, "How event lines are compared with the block")
      ->type_name("MODE")
      ->check(CLI::IsMember(Keys(kMatchings)))
      ->capture_default_str();
}

// The exclusions, on every subcommand that edits event lines.
void AddFilter(CLI::App* command, Options& options) {
  command
      ->add_option("--only-style", options.filter.onlyStyles,
                   "See only the event lines of this style (repeat for more); the others keep "
                   "their bytes")
      ->type_name("NAME");
  command
      ->add_option("--skip-style", options.filter.skipStyles,
                   "Leave out the event lines of this style (repeat for more): never matched, "
                   "never changed")
      ->type_name("NAME");
  command
      ->add_option("--only-actor", options.filter.onlyActors,
                   "See only the event lines of this actor (repeat for more)")
      ->type_name("NAME");
  command
      ->add_option("--skip-actor", options.filter.skipActors,
                   "Leave out the event lines of this actor (repeat for more)")
      ->type_name("NAME");
  // One name per occurrence: a name given after another would otherwise take the paths.
  for (const char* name : {"--only-style", "--skip-style", "--only-actor", "--skip-actor"}) {
    command->get_option(name)->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  }
  command->add_flag("--skip-comments", options.filter.skipComments,
                    "Leave out the Comment: lines, so that one inside a block does not break it");
}

// --sort, on the subcommands that edit event lines in place.
void AddSort(CLI::App* command, Options& options) {
  command
      ->add_option("--sort", options.sort,
                   "Put the event lines in this stable order first (time: by Start, then End; "
                   "style, actor: by name, then Start); a script is written in that order")
      ->type_name("ORDER")
      ->check(CLI::IsMember(Keys(kSortOrders)));
}

// --section, on search and replace.
void AddSection(CLI::App* command, Options& options) {
  command
      ->add_option("--section", options.section,
                   "Where the block is looked for: events (event lines), styles (Style: lines; "
                   "text and format modes compare the style's name), header (Key: value lines "
                   "of [Script Info]; those modes compare the key), any (every line outside "
                   "[Fonts] and [Graphics], whole lines)")
      ->type_name("SECTION")
      ->check(CLI::IsMember(Keys(kSections)))
      ->capture_default_str();
}

SortOrder SortOrderOf(const std::string& option) {
  return option.empty() ? SortOrder::None : kSortOrders.at(option);
}

// Reads a block file named by an option into editor lines; throws CLI11's file error otherwise.
std::vector<std::string> BlockLines(const std::string& name) {
  std::vector<std::string> lines;
  if (name.empty()) return lines;
  if (const nosk::cli::BlockFileReading read = nosk::cli::ReadBlockFile(name, lines); !read.ok()) {
    throw CLI::FileError(read.error);
  }
  return lines;
}

// The iconv name of a code page an option names; empty for "auto".
std::string CodePageOf(const std::string& option) {
  return option == "auto" ? std::string() : nosk::engine::CodePageName(option);
}

// --codepage, on every subcommand that edits event lines.
void AddCodePage(CLI::App* command, Options& options) {
  command
      ->add_option("--codepage", options.codePage,
                   "The code page of scripts that are neither UTF-8 nor marked: auto guesses it "
                   "per script (told on stderr), or name it (windows-1251, windows-1252, "
                   "shift-jis, ...); blocks are put in it, and every line keeps its bytes")
      ->type_name("auto|NAME")
      ->check(kSourceEncoding)
      ->capture_default_str();
}

RunMode RewritingMode(const Options& options) {
  return options.dryRun ? RunMode::Preview : RunMode::Write;
}

// The run of each subcommand, from its options.
nosk::engine::ReplaceRequest BlockRequest(const Options& options) {
  nosk::engine::ReplaceRequest replace;
  replace.searchLines = BlockLines(options.block);
  replace.matching = kMatchings.at(options.match);
  replace.codePage = CodePageOf(options.codePage);
  replace.filter = options.filter;
  replace.sort = SortOrderOf(options.sort);
  replace.section = kSections.at(options.section);
  return replace;
}

RunRequest SearchRequest(const Options& options) {
  RunRequest request;
  nosk::engine::ReplaceRequest search = BlockRequest(options);
  search.replacement = nosk::engine::Replacement::None;
  request.operation = search;
  return request;
}

RunRequest ReplaceRequest(const Options& options) {
  if (options.block == "-" && options.with == "-") {
    throw CLI::ValidationError("--with", "only one block can come from standard input");
  }
  RunRequest request;
  request.mode = RewritingMode(options);
  nosk::engine::ReplaceRequest replace = BlockRequest(options);
  replace.replaceLines = BlockLines(options.with);
  replace.replacement = kReplacements.at(options.mode);
  replace.addMissing = options.addMissing;
  request.operation = replace;
  return request;
}

// A text given in a file: UTF-8, one text, a final line end dropped.
std::string TextFile(const std::string& name, const char* option) {
  std::vector<std::string> lines;
  if (const nosk::cli::BlockFileReading read = nosk::cli::ReadBlockFile(name, lines); !read.ok()) {
    throw CLI::FileError(read.error);
  }
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\n") + lines[i];
  if (text.find('\0') != std::string::npos) {
    throw CLI::ValidationError(option, "the file holds a NUL byte: " + name);
  }
  return text;
}

RunRequest TextRequest(const Options& options, bool withGiven, bool withFileGiven) {
  nosk::engine::TextRequest text;
  if (options.find.empty() == options.findFile.empty()) {
    throw CLI::ValidationError("--find", "give the text to find with --find or --find-file");
  }
  if (withGiven && withFileGiven) {
    throw CLI::ValidationError("--with", "give the replacement with --with or --with-file");
  }
  text.find = options.findFile.empty() ? options.find : TextFile(options.findFile, "--find-file");
  if (withGiven) text.with = options.replacement;
  if (withFileGiven) text.with = TextFile(options.replacementFile, "--with-file");
  text.pattern = options.pattern;
  text.ignoreCase = options.ignoreCase;
  text.wholeWords = options.wholeWords;
  text.insideTags = options.insideTags;
  text.includeComments = options.includeComments;
  text.filter = options.filter;
  text.codePage = CodePageOf(options.codePage);
  RunRequest request;
  // Without a replacement it counts, as search does.
  request.mode = text.with ? RewritingMode(options) : RunMode::Count;
  request.operation = text;
  return request;
}

RunRequest SortRequest(const Options& options) {
  RunRequest request;
  request.mode = RewritingMode(options);
  request.operation = nosk::engine::SortRequest{kSortOrders.at(options.sort), options.filter};
  return request;
}

RunRequest ShiftRequest(const Options& options) {
  nosk::engine::ShiftRequest shift;
  shift.searchLines = BlockLines(options.block);
  const nosk::script::ShiftAmount amount = AmountOf(options);
  // A dry run of nothing is refused as the real run is: it would tell of a run that cannot be.
  if (amount.centiseconds == 0) {
    throw CLI::ValidationError("--by", "a shift by 0:00:00.00 changes nothing");
  }
  shift.matching = kMatchings.at(options.match);
  shift.affect = AffectModeOf(options.affect, options.includeBlock);
  shift.times = kTimes.at(options.times);
  shift.centiseconds = amount.centiseconds;
  shift.direction = options.backward || amount.backward ? nosk::engine::Direction::Backward
                                                        : nosk::engine::Direction::Forward;
  shift.codePage = CodePageOf(options.codePage);
  shift.filter = options.filter;
  shift.sort = SortOrderOf(options.sort);
  RunRequest request;
  request.mode = RewritingMode(options);
  request.operation = shift;
  return request;
}

RunRequest ConvertRequest(const Options& options) {
  RunRequest request;
  request.mode = RewritingMode(options);
  request.operation = nosk::engine::ConvertRequest{
      options.from == "auto" ? std::string() : nosk::engine::CodePageName(options.from),
      kTargets.at(options.to), kLineEnds.at(options.eol)};
  return request;
}

// The undo the options ask for: whose runs it takes back. Only root may name another user.
RunRequest UndoRequest(const Options& options, bool redo) {
  RunRequest request;
  request.mode = RunMode::Write;
  nosk::engine::UndoRequest undo;
  using Which = nosk::engine::UndoRequest::Which;
  undo.which = redo ? Which::Redo : options.run.empty() ? Which::StepBack : Which::Named;
  undo.run = options.run;
  if (!options.user.empty()) {
    unsigned user = 0;
    if (const struct passwd* entry = ::getpwnam(options.user.c_str())) {
      user = entry->pw_uid;
    } else {
      const char* end = options.user.data() + options.user.size();
      const auto [stop, error] = std::from_chars(options.user.data(), end, user);
      if (error != std::errc() || stop != end) {
        throw CLI::ValidationError("--user", "no such user: " + options.user);
      }
    }
    if (user != ::geteuid() && ::geteuid() != 0) {
      throw CLI::ValidationError("--user", "only root may take back another user's runs");
    }
    undo.user = user;
  }
  request.operation = undo;
  return request;
}

// Standard descriptors that came closed get /dev/null, so that no file the run opens takes
// their number and receives what is printed. Whether the standard output was closed.
bool ReserveStandardDescriptors() {
  bool stdoutClosed = false;
  for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    if (descriptor == STDOUT_FILENO) stdoutClosed = true;
    nosk::script::FileDescriptor opened(
        ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY));
    if (opened.Get() == descriptor) {
      opened.Release();  // it is the standard descriptor now, for the program's whole life
    } else if (opened.Valid()) {
      ::dup2(opened.Get(), descriptor);
    }
  }
  return stdoutClosed;
}

}  // namespace

int main(int argc, char** argv) {
  const bool stdoutClosed = ReserveStandardDescriptors();
  // A reader that goes away (nosk-cli ... | head -1) makes writes of results fail, reported at
  // the end, instead of ending the program in the middle of a run.
  std::signal(SIGPIPE, SIG_IGN);
  // A write beyond the process's file size limit must be an error of that one script (EFBIG),
  // not a signal that ends the program half-way through a run.
  std::signal(SIGXFSZ, SIG_IGN);
  // A walk keeps each folder it found scripts in open, to reach them by descriptor: a season
  // of thousands of folders needs more descriptors than the usual soft limit of 1024.
  if (struct rlimit files{};
      ::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &files);
  }
  // SIGINT, SIGTERM and SIGHUP remove the temporary file being written before the program ends.
  const nosk::script::InterruptCleanup cleanup;
  CLI::App app("Nosk applies one edit to many subtitle scripts (.ass, .ssa) at once.", "nosk-cli");
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("nosk-cli ") + NOSK_VERSION,
                       "Print the version and exit");
  app.footer(
      "Output: a line per script, in file list order: the count (or Error), a tab, the path.\n"
      "Why a script failed goes to stderr; on a terminal, a last line there sums the run up.\n"
      "Exit status: 0 the run went through without Error; 1 it went through with at least one\n"
      "Error or a write of another program that only a backup holds, a PATH named nothing or a\n"
      "folder could not be listed, or the results could not be written; 2 nothing was done:\n"
      "a check stopped the run before any script was opened, or the command was not one\n"
      "(every usage error: 2; an unknown option, a missing or invalid value, an unreadable\n"
      "block file), the reason on stderr. Put -- before paths that may begin with -.");

  Options options;
  CLI::App* search =
      app.add_subcommand("search", "Count the occurrences of a block of event lines");
  search->add_option("--block", options.block, "File with the Search block (- for stdin)")
      ->type_name("FILE")
      ->required();
  AddMatch(search, options);
  AddCodePage(search, options);
  AddSection(search, options);
  AddFilter(search, options);
  AddSort(search, options);
  AddExplain(search, options);
  AddScriptPaths(search, options);

  CLI::App* replace =
      app.add_subcommand("replace", "Replace a block of event lines by other lines");
  replace->add_option("--block", options.block, "File with the Search block (- for stdin)")
      ->type_name("FILE")
      ->required();
  replace->add_option("--with", options.with, "File with the Replace block (- for stdin)")
      ->type_name("FILE")
      ->required();
  AddMatch(replace, options);
  AddCodePage(replace, options);
  AddSection(replace, options);
  replace->add_flag("--add-missing", options.addMissing,
                    "With --section styles or header: a script without the block gets the "
                    "Replace block at the end of the section (made when it has none)");
  AddFilter(replace, options);
  AddSort(replace, options);
  replace->add_option("--mode", options.mode, "What the Replace block substitutes")
      ->type_name("MODE")
      ->check(CLI::IsMember(Keys(kReplacements)))
      ->capture_default_str();
  AddRewriting(replace, options);
  AddExplain(replace, options);
  AddScriptPaths(replace, options);

  CLI::App* shift = app.add_subcommand("shift", "Move the Start and/or End times of event lines");
  shift
      ->add_option("--by", options.by,
                   "The amount: H:MM:SS.CC, M:SS, seconds (1.5, 1.5s, 90s), milliseconds "
                   "(500ms), a combination (1m30s, 1h2m3.5s) or frames with --fps (24f); a "
                   "leading - moves back")
      ->type_name("AMOUNT")
      ->required();
  shift->add_option("--fps", options.fps, "The frame rate of an amount in frames")
      ->type_name("RATE")
      ->check(kFrameRate);
  shift->add_flag("--backward", options.backward, "Move the times back instead of forward");
  shift
      ->add_option("--affect", options.affect,
                   "Which event lines: all-files (every script), all (scripts holding the block), "
                   "before or after the block's first occurrence")
      ->type_name("WHICH")
      ->check(CLI::IsMember({"all-files", "all", "before", "after"}))
      ->capture_default_str();
  shift->add_flag("--include-block", options.includeBlock,
                  "With before/after: the occurrence's own lines are shifted too");
  shift->add_option("--times", options.times, "Which times move")
      ->type_name("WHICH")
      ->check(CLI::IsMember(Keys(kTimes)))
      ->capture_default_str();
  shift
      ->add_option("--block", options.block,
                   "File with the Search block (- for stdin); not read with --affect all-files")
      ->type_name("FILE");
  AddMatch(shift, options);
  AddCodePage(shift, options);
  AddFilter(shift, options);
  AddSort(shift, options);
  AddRewriting(shift, options);
  AddExplain(shift, options);
  AddScriptPaths(shift, options);

  CLI::App* convert = app.add_subcommand(
      "convert", "Convert scripts to UTF-8 with one kind of line end, changing nothing else");
  convert
      ->add_option("--from", options.from,
                   "The code page of scripts that are neither UTF-8 nor marked UTF-16/UTF-32: "
                   "auto guesses it per script (told on stderr), or name it (windows-1251, "
                   "windows-1252, shift-jis, gb18030, big5, euc-kr, koi8-r, ...)")
      ->type_name("auto|NAME")
      ->check(kSourceEncoding)
      ->capture_default_str();
  convert->add_option("--to", options.to, "UTF-8 with the mark, or without it")
      ->type_name("ENCODING")
      ->check(CLI::IsMember(Keys(kTargets)))
      ->capture_default_str();
  convert->add_option("--eol", options.eol, "Line ends: each line's own, all CR LF, or all LF")
      ->type_name("ENDS")
      ->check(CLI::IsMember(Keys(kLineEnds)))
      ->capture_default_str();
  AddRewriting(convert, options);
  AddScriptPaths(convert, options);

  CLI::App* text = app.add_subcommand(
      "text", "Find a text inside the lines' Text (override tags left alone); count or replace it");
  text->add_option("--find", options.find, "The text to find (a pattern with --regex)")
      ->type_name("FIND");
  text->add_option("--find-file", options.findFile,
                   "A file holding the text to find (UTF-8; a final line end is dropped)")
      ->type_name("FILE");
  CLI::Option* withOption =
      text->add_option("--with", options.replacement,
                       "Replace every match by this ('' deletes); without it the run counts. With "
                       "--regex, $1...$9, ${name} and $$ stand for the groups and a $")
          ->type_name("REPLACEMENT");
  CLI::Option* withFileOption =
      text->add_option("--with-file", options.replacementFile,
                       "A file holding the replacement (UTF-8; a final line end is dropped)")
          ->type_name("FILE");
  text->add_flag("--regex", options.pattern,
                 "FIND is a Perl-compatible regular expression (PCRE2, UTF-8, Unicode properties)");
  text->add_flag("--ignore-case", options.ignoreCase,
                 "Compare without case (Unicode: Привет = ПРИВЕТ)");
  text->add_flag("--word", options.wholeWords,
                 "Match whole words only (no Unicode word character just before or after)");
  text->add_flag("--tags", options.insideTags,
                 "Search the whole Text field, override blocks {...} included");
  text->add_flag("--include-comments", options.includeComments,
                 "Search the Comment: lines too (left out by default)");
  AddCodePage(text, options);
  AddFilter(text, options);
  text->get_option("--skip-comments")->description("Leave out the Comment: lines (the default)");
  AddRewriting(text, options);
  AddExplain(text, options);
  AddScriptPaths(text, options);

  CLI::App* sort = app.add_subcommand(
      "sort", "Put the event lines in a stable order, every line keeping its bytes");
  sort->add_option("--by", options.sort,
                   "time: by Start, then End; style: by style name, then Start; actor: by actor "
                   "name, then Start")
      ->type_name("ORDER")
      ->check(CLI::IsMember(Keys(kSortOrders)))
      ->required();
  AddFilter(sort, options);
  AddRewriting(sort, options);
  AddScriptPaths(sort, options);

  CLI::App* undo = app.add_subcommand(
      "undo",
      "Take back the most recent run recorded in each folder named (for a script: in its "
      "folder, that script only)");
  AddWait(undo, options);
  undo->add_flag("-r,--recursive", options.recursive,
                 "Take back the last run of every folder under the folders named too, at any "
                 "depth (not Nosk_backup, nor a link to a folder)");
  undo->add_option("--run", options.run,
                   "Take back this run of history (its id) instead of the newest one not taken "
                   "back yet")
      ->type_name("ID");
  undo->add_option("--user", options.user,
                   "Root only: take back the last run of this user (a name or a number) instead "
                   "of root's own, checked and recorded as that user's")
      ->type_name("NAME");
  AddPaths(undo, options);

  CLI::App* redo =
      app.add_subcommand("redo", "Put back what the last undo in each folder named took back");
  AddWait(redo, options);
  redo->add_flag("-r,--recursive", options.recursive,
                 "In every folder under the folders named too, at any depth");
  redo->add_option("--user", options.user,
                   "Root only: put back what this user's last undo took back")
      ->type_name("NAME");
  AddPaths(redo, options);

  CLI::App* history =
      app.add_subcommand("history", "List the runs recorded in a folder, newest first");
  history->add_option("PATH", options.paths, "A folder, or a script of it")
      ->type_name("")
      ->required()
      ->expected(1);

  // A first word that is no command: CLI11 would only say that a command is required.
  if (argc > 1 && argv[1][0] != '-') {
    bool known = false;
    for (const CLI::App* command : app.get_subcommands({})) known |= command->get_name() == argv[1];
    if (!known) {
      std::fprintf(stderr,
                   "nosk-cli: %s is not a command: search, replace, shift, text, convert, "
                   "sort, undo, redo or history (nosk-cli --help)\n",
                   nosk::script::QuotedText(argv[1]).c_str());
      return kStoppedAtCheck;
    }
  }

  // "-h.ass" is a script's name, but CLI11 reads it as -h, and would print the help and exit
  // with 0 having done nothing: a word before -- that begins with - and names a script or a
  // path is a path that needs --.
  for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
    if (LooksLikeAPath(argv[i])) {
      std::fprintf(stderr, "nosk-cli: %s looks like a path; put -- before the paths\n",
                   nosk::script::QuotedText(argv[i]).c_str());
      return kStoppedAtCheck;
    }
  }

  RunRequest request;
  try {
    app.parse(argc, argv);
    if (history->parsed()) {
      // Reads no blocks and makes no request.
    } else if (undo->parsed() || redo->parsed()) {
      request = UndoRequest(options, redo->parsed());
    } else if (search->parsed()) {
      request = SearchRequest(options);
    } else if (replace->parsed()) {
      request = ReplaceRequest(options);
    } else if (convert->parsed()) {
      request = ConvertRequest(options);
    } else if (sort->parsed()) {
      request = SortRequest(options);
    } else if (text->parsed()) {
      request = TextRequest(options, withOption->count() > 0, withFileOption->count() > 0);
    } else {
      request = ShiftRequest(options);
    }
  } catch (const CLI::ParseError& error) {
    // --help and --version end here with 0; every usage error with the status of a stopped
    // check, its reason on stderr, and for an option that is none, the nearest that is.
    if (app.exit(error) == 0) return 0;
    if (const std::string nearest = NearestOption(app, argc, argv); !nearest.empty()) {
      std::fprintf(stderr, "nosk-cli: did you mean %s?\n", nearest.c_str());
    }
    return kStoppedAtCheck;
  }

  request.folderLockWait = std::chrono::milliseconds(static_cast<long long>(options.wait * 1000.0));
  request.collectChanges = options.diff;
  request.explainMisses = options.explain;
  if (stdoutClosed) {
    std::fprintf(stderr,
                 "nosk-cli: the standard output is closed, so the results would be lost; "
                 "nothing was done\n");
    return kStoppedAtCheck;
  }
  if (history->parsed()) return nosk::cli::HistoryCommand(options.paths.front());
  nosk::cli::CommandPaths paths{options.paths, !undo->parsed() && !redo->parsed(),
                                options.recursive};
  nosk::cli::CommandOutput output{options.diff, options.explain, {}};
  if (shift->parsed() && options.block.empty()) {
    output.stopHint = "shift --affect " + options.affect +
                      " looks for the Search block: give --block FILE with at least one valid "
                      "event line";
  }
  return nosk::cli::RunCommand(request, paths, output);
}
