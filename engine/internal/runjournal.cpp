#include "engine/internal/runjournal.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <deque>
#include <limits>
#include <map>
#include <new>
#include <optional>
#include <utility>

#include "engine/internal/journaltext.h"
#include "script/ascii.h"
#include "script/scriptlocation.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;
using script::Outcome;

// A journal line longer than this spoils its record; no line a run writes comes near it (a
// detail holds one line of a block, and a script line is at most 40 MB only in theory).
constexpr std::size_t kLongestLine = 1024 * 1024;

std::string Formatted(const char* format, const std::tm& time) {
  char text[64] = {};
  std::strftime(text, sizeof text, format, &time);
  return text;
}

std::tm UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  return utc;
}

// The user a journal's name is for: "journal-1000.txt" is 1000's; nothing for other names.
std::optional<unsigned> UserOfJournal(std::string_view name) {
  constexpr std::string_view prefix = "journal-", suffix = ".txt";
  if (!name.starts_with(prefix) || !name.ends_with(suffix)) return std::nullopt;
  const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
  unsigned user = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), user);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
    return std::nullopt;
  }
  if (JournalNameOf(user) != name) return std::nullopt;  // "journal-007.txt" is nobody's
  return user;
}

// Whether the journal's status says that only `user` (and root) could have written it.
std::optional<Message> Untrusted(const struct stat& status, unsigned user,
                                 const std::filesystem::path& shown) {
  if (!S_ISREG(status.st_mode)) return Message(MessageId::JournalNotNosks, {shown});
  if (status.st_uid != user) {
    return Message(MessageId::JournalOfAnother, {shown, script::UserName(status.st_uid)});
  }
  if (status.st_nlink != 1 || (status.st_mode & 022) != 0) {
    return Message(MessageId::JournalNotSafe, {shown});
  }
  return std::nullopt;
}

// Feeds the journal's lines to `parser`, a piece at a time: the memory it takes does not grow
// with the journal. A last line without its line feed is a write cut short and says nothing.
int StreamLines(int descriptor, JournalParser& parser) {
  std::string pending;
  bool cut = false;
  std::string chunk(64 * 1024, '\0');
  for (;;) {
    const ssize_t got = ::read(descriptor, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) break;
    std::string_view rest(chunk.data(), static_cast<std::size_t>(got));
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      const std::string_view piece = rest.substr(0, end);
      if (!cut) {
        if (pending.size() + piece.size() > kLongestLine) {
          cut = true;
          pending.clear();
        } else {
          pending.append(piece);
        }
      }
      if (end == std::string_view::npos) break;
      parser.Line(pending, cut);
      pending.clear();
      cut = false;
      rest.remove_prefix(end + 1);
    }
  }
  parser.Finish();
  return 0;
}

// Reads the journal `name` in `backups` into `reading`, each record as `owner`'s, when `user`
// says whose it must be (nullopt: anyone's, for history). Records that `keep` refuses are
// dropped at once. No journal: nothing.
Outcome ReadJournalFile(const script::Folder& backups, const std::string& name,
                        std::optional<unsigned> user,
                        const std::function<void(JournalRecord&&)>& keep, JournalReading& reading) {
  const std::filesystem::path shown = backups.PathOf(name);
  script::FileDescriptor journal(
      ::openat(backups.Descriptor(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!journal.Valid()) {
    if (errno == ENOENT) return Outcome::Success();
    if (errno == ELOOP) {
      reading.problems.push_back(Message(MessageId::JournalNotNosks, {shown}));
      return Outcome::Success();
    }
    return Outcome::Failure(
        Message(MessageId::JournalUnreadable, {shown}).Because(Message::System(errno)));
  }
  struct stat status {};
  if (::fstat(journal.Get(), &status) != 0) {
    return Outcome::Failure(
        Message(MessageId::JournalUnreadable, {shown}).Because(Message::System(errno)));
  }
  const std::optional<unsigned> named = UserOfJournal(name);
  const unsigned owner = static_cast<unsigned>(status.st_uid);
  std::optional<Message> refused;
  if (named) {
    // A user's journal must be that user's alone.
    refused = Untrusted(status, *named, shown);
  } else if (user) {
    // The shared journal of old holds the runner's runs only when it is the runner's, and only
    // the runner could write it.
    if (owner != *user) return Outcome::Success();
    refused = Untrusted(status, *user, shown);
  } else if (!S_ISREG(status.st_mode)) {
    refused = Message(MessageId::JournalNotNosks, {shown});
  }
  if (refused) {
    reading.problems.push_back(std::move(*refused));
    return Outcome::Success();
  }
  JournalParser parser(
      [&](JournalRecord&& record) {
        record.user = owner;
        keep(std::move(record));
      },
      [&](Message&& problem) {
        reading.problems.push_back(Message(MessageId::WithReason, {shown}).Because(problem));
      });
  int error = 0;
  try {
    error = StreamLines(journal.Get(), parser);
  } catch (const std::bad_alloc&) {
    return Outcome::Failure(
        Message(MessageId::JournalUnreadable, {shown}).Because(Message::System(ENOMEM)));
  }
  if (error != 0) {
    return Outcome::Failure(
        Message(MessageId::JournalUnreadable, {shown}).Because(Message::System(error)));
  }
  return Outcome::Success();
}

// About the memory a record takes.
std::size_t Weight(const JournalRecord& record) {
  std::size_t weight = 256 + record.id.size() + record.time.size();
  for (const std::string& detail : record.details) weight += 32 + detail.size();
  for (const JournalEntry& entry : record.scripts) {
    weight += sizeof entry + entry.script.size() + entry.backup.size();
  }
  return weight;
}

// The newest records read, within a number of runs and of bytes: the oldest go first, and are
// counted as left out.
class NewestRecords {
 public:
  NewestRecords(std::size_t runs, std::size_t bytes, std::size_t& leftOut)
      : mostRuns_(runs), mostBytes_(bytes), leftOut_(leftOut) {}

  void Add(JournalRecord&& record) {
    if (kept_.empty() || kept_.back().id != record.id) ++runs_;
    weight_ += Weight(record);
    kept_.push_back(std::move(record));
    while (kept_.size() > 1 && (runs_ > mostRuns_ || weight_ > mostBytes_)) {
      const std::string oldest = kept_.front().id;
      weight_ -= Weight(kept_.front());
      kept_.pop_front();
      ++leftOut_;
      if (kept_.front().id != oldest) --runs_;
    }
  }
  std::vector<JournalRecord> Take() {
    return {std::make_move_iterator(kept_.begin()), std::make_move_iterator(kept_.end())};
  }

 private:
  std::size_t mostRuns_, mostBytes_;
  std::size_t& leftOut_;
  std::deque<JournalRecord> kept_;
  std::size_t runs_ = 0, weight_ = 0;
};

}  // namespace

std::string JournalNameOf(unsigned user) { return "journal-" + std::to_string(user) + ".txt"; }

std::string NewRunId() {
  unsigned char random[4] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    const auto seed = static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(std::time(nullptr));
    for (std::size_t i = 0; i < sizeof random; ++i)
      random[i] = static_cast<unsigned char>(seed >> (8 * i));
  }
  return Formatted("%Y%m%d-%H%M%S-", UtcNow()) +
         script::HexText(std::string_view(reinterpret_cast<const char*>(random), sizeof random));
}

std::string TimeNow() { return Formatted("%Y-%m-%d %H:%M:%S UTC", UtcNow()); }

Outcome JournalWriter::Failed(int error) const {
  lastError_ = error;
  return Outcome::Failure(
      Message(MessageId::JournalCantWrite, {shown_}).Because(Message::System(error)));
}

Outcome JournalWriter::Begin(const script::Folder& backups, const JournalRecord& run) {
  const unsigned user = run.user;
  const std::string name = JournalNameOf(user);
  shown_ = backups.PathOf(name);
  constexpr int kFlags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  // Readable by whoever may read the backups (as they are now: a backup folder just made had
  // its mode set after it was opened), writable by its user alone.
  struct stat folder {};
  if (::fstat(backups.Descriptor(), &folder) != 0) return Failed(errno);
  const auto mode = static_cast<mode_t>((folder.st_mode & 0444) | 0600);
  script::FileDescriptor journal;
  for (int attempt = 0; attempt < 2 && !journal.Valid(); ++attempt) {
    journal.Reset(::openat(backups.Descriptor(), name.c_str(), kFlags));
    if (journal.Valid() || errno != ENOENT) break;
    journal.Reset(::openat(backups.Descriptor(), name.c_str(), kFlags | O_CREAT | O_EXCL, mode));
    if (!journal.Valid() && errno != EEXIST) break;
    // The mode asked for went through the umask: readers of the backups read it, whatever the
    // umask. Root recording another user's undo: the journal made is that user's.
    if (journal.Valid() && ::fchmod(journal.Get(), mode) != 0) return Failed(errno);
    if (journal.Valid() && user != static_cast<unsigned>(::geteuid()) &&
        ::fchown(journal.Get(), user, static_cast<gid_t>(-1)) != 0) {
      return Failed(errno);
    }
  }
  if (!journal.Valid()) return Failed(errno == ELOOP ? EPERM : errno);
  struct stat status {};
  if (::fstat(journal.Get(), &status) != 0) return Failed(errno);
  if (std::optional<Message> why = Untrusted(status, user, shown_)) {
    lastError_ = EPERM;
    return Outcome::Failure(std::move(*why));
  }
  journal_ = std::move(journal);
  id_ = run.id;
  recordText_.clear();
  deferred_.clear();
  size_ = status.st_size;
  // Whatever a write cut short left at the end, the record starts on a line of its own.
  std::string header = RecordHeader(run);
  char last = '\n';
  if (status.st_size > 0 && ::pread(journal_.Get(), &last, 1, status.st_size - 1) == 1 &&
      last != '\n') {
    if (Outcome written = Write("\n"); !written) return written;
  }
  return Append(header);
}

Outcome JournalWriter::Write(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty()) {
    const ssize_t written = ::write(journal_.Get(), rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = written < 0 ? errno : EIO;
      // Only its user writes the journal, and this run is the one that holds the folder: its
      // size is what this run made it.
      [[maybe_unused]] const int ignored = ::ftruncate(journal_.Get(), size_);
      return Failed(error);
    }
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  size_ += static_cast<off_t>(text.size());
  return Outcome::Success();
}

Outcome JournalWriter::Append(std::string_view lines) {
  if (!journal_.Valid()) return Failed(EBADF);
  // What was deferred goes first, in the same write.
  std::string text = std::exchange(deferred_, {});
  text.append(lines);
  if (Outcome written = Write(text); !written) return written;
  recordText_.append(text);
  return Outcome::Success();
}

void JournalWriter::Defer(std::string_view lines) { deferred_.append(lines); }

Outcome JournalWriter::End() {
  if (!journal_.Valid()) return Outcome::Success();
  std::string text = std::exchange(deferred_, {});
  recordText_.append(text);
  text += RecordEnd(id_, recordText_);
  Outcome written = Write(text);
  recordText_.clear();
  if (const int error = journal_.Close(); error != 0 && written) return Failed(error);
  return written;
}

Outcome ReadOwnRuns(const script::Folder& backups, unsigned user, JournalReading& reading) {
  reading = {};
  // Only the records of the newest few runs are kept, and no more than a few megabytes of them:
  // undo needs the last run that replaced anything, and a run stopped before its first
  // exchange replaced nothing.
  NewestRecords kept(64, 2 * 1024 * 1024, reading.leftOut);
  const auto keep = [&](JournalRecord&& record) { kept.Add(std::move(record)); };
  for (const std::string& name : {std::string(kSharedJournalName), JournalNameOf(user)}) {
    if (Outcome read = ReadJournalFile(backups, name, user, keep, reading); !read) return read;
  }
  reading.records = kept.Take();
  return Outcome::Success();
}

Outcome ReadEveryRun(const script::Folder& backups, std::size_t keptBytes,
                     JournalReading& reading) {
  reading = {};
  std::vector<std::string> names;
  if (const int error = backups.ForEachEntry([&](const std::string& name) {
        if (name == kSharedJournalName || UserOfJournal(name)) names.push_back(name);
      });
      error != 0) {
    return Outcome::Failure(
        Message(MessageId::JournalUnreadable, {backups.Path()}).Because(Message::System(error)));
  }
  std::sort(names.begin(), names.end());
  NewestRecords kept(std::numeric_limits<std::size_t>::max(), keptBytes, reading.leftOut);
  const auto keep = [&](JournalRecord&& record) { kept.Add(std::move(record)); };
  for (const std::string& name : names) {
    if (Outcome read = ReadJournalFile(backups, name, std::nullopt, keep, reading); !read) {
      return read;
    }
  }
  reading.records = RunsOf(kept.Take());
  // Every user's runs in the order they ran: ids begin with the time to the second, and each
  // journal holds its runs in order.
  std::stable_sort(reading.records.begin(), reading.records.end(),
                   [](const JournalRecord& a, const JournalRecord& b) {
                     return std::string_view(a.id).substr(0, 15) <
                            std::string_view(b.id).substr(0, 15);
                   });
  return Outcome::Success();
}

}  // namespace nosk::engine
