#include "engine/internal/runjournal.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <optional>

#include "script/ascii.h"
#include "script/filedescriptor.h"

namespace nosk::engine {
namespace {

// Journals larger than this are not read: no folder's runs come near it.
constexpr off_t kLargestJournal = 256 * 1024 * 1024;

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

// A text of the record as it stands, unless a control character (a line end) would cut the
// record's line, or a leading quote would make it look quoted: then quoted as PathText quotes.
std::string Written(std::string_view text) {
  bool quote = text.starts_with('"');
  for (const char c : text) quote = quote || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  return quote ? script::QuotedText(text) : std::string(text);
}

// The text after `key` and one space on a line that starts with it, or npos-like failure.
bool Field(std::string_view line, std::string_view key, std::string_view& value) {
  if (!line.starts_with(key) || line.size() <= key.size() || line[key.size()] != ' ') return false;
  value = line.substr(key.size() + 1);
  return true;
}

// "file DEVICE:INODE SIZE MODIFIED CHANGED" (times in nanoseconds): a file's state.
std::string StateText(const script::FileIdentity& state) {
  return "file " + std::to_string(state.device) + ":" + std::to_string(state.inode) + " " +
         std::to_string(state.size) + " " + std::to_string(state.modifiedNanoseconds) + " " +
         std::to_string(state.changedNanoseconds);
}

// Reads what StateText wrote; a state that matches no file for anything else.
script::FileIdentity StateFromText(std::string_view text) {
  script::FileIdentity state;
  unsigned long long device = 0, inode = 0;
  long long size = 0, modified = 0, changed = 0;
  const std::string copy(text);
  if (std::sscanf(copy.c_str(), "file %llu:%llu %lld %lld %lld", &device, &inode, &size, &modified,
                  &changed) == 5) {
    state.device = device;
    state.inode = inode;
    state.size = size;
    state.modifiedNanoseconds = modified;
    state.changedNanoseconds = changed;
  }
  return state;
}

}  // namespace

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

std::string FormatRecord(const JournalRecord& record) {
  std::string text = "run " + record.id + "\n";
  text += "  time " + record.time + "\n";
  text += "  summary " + Written(script::English(record.summary)) + "\n";
  // The summary as a message too, so that a window in another language can say it.
  text += "  summary-message " + script::MessageCode(record.summary) + "\n";
  for (const std::string& detail : record.details) text += "  detail " + Written(detail) + "\n";
  if (!record.undoes.empty()) text += "  undoes " + record.undoes + "\n";
  for (const JournalEntry& entry : record.scripts) {
    text += "  script " + Written(entry.script) + "\n";
    text += "    backup " + Written(entry.backup) + "\n";
    text += "    before " + StateText(entry.before) + "\n";
    text += "    after " + StateText(entry.after) + "\n";
  }
  text += "end " + record.id + " " + HashOf(text).Text() + "\n";
  return text;
}

std::vector<JournalRecord> ParseJournal(std::string_view text) {
  std::vector<JournalRecord> records;
  JournalRecord record;
  std::string body;  // the current record's lines so far, for its check
  bool open = false;
  std::string summaryText;  // the summary in English, for a record without its message
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    std::string_view value;
    if (Field(line, "run", value)) {
      record = JournalRecord{};
      record.id = value;
      summaryText.clear();
      body.assign(line).push_back('\n');
      open = true;
      continue;
    }
    if (!open) continue;
    if (Field(line, "end", value)) {
      const std::size_t space = value.find(' ');
      open = false;
      if (space != std::string_view::npos && value.substr(0, space) == record.id &&
          ContentHash::FromText(value.substr(space + 1)) == HashOf(body)) {
        if (record.summary.empty()) record.summary = script::Message::Verbatim(summaryText);
        records.push_back(std::move(record));
      }
      continue;
    }
    body.append(line).push_back('\n');
    if (Field(line, "  time", value)) {
      record.time = value;
    } else if (Field(line, "  summary", value)) {
      summaryText = script::UnquotedText(value);
    } else if (Field(line, "  summary-message", value)) {
      if (std::optional<script::Message> said = script::MessageFromCode(value)) {
        record.summary = std::move(*said);
      }
    } else if (Field(line, "  detail", value)) {
      record.details.push_back(script::UnquotedText(value));
    } else if (Field(line, "  undoes", value)) {
      record.undoes = value;
    } else if (Field(line, "  script", value)) {
      record.scripts.push_back({script::UnquotedText(value), {}, {}, {}});
    } else if (!record.scripts.empty() && Field(line, "    backup", value)) {
      record.scripts.back().backup = script::UnquotedText(value);
    } else if (!record.scripts.empty() && Field(line, "    before", value)) {
      record.scripts.back().before = StateFromText(value);
    } else if (!record.scripts.empty() && Field(line, "    after", value)) {
      record.scripts.back().after = StateFromText(value);
    }
  }
  return records;
}

script::Outcome AppendRecord(const script::Folder& backups, const JournalRecord& record) {
  const auto failure = [&](int error) {
    return script::Outcome::Failure(
        script::Message(script::MessageId::JournalNotWritten, {backups.PathOf(kJournalName)})
            .Because(script::Message::System(error)));
  };
  const auto mode = static_cast<mode_t>(backups.Status().st_mode & 0666);
  script::FileDescriptor journal(
      ::openat(backups.Descriptor(), kJournalName,
               O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode | 0600));
  if (!journal.Valid()) return failure(errno);
  struct stat status {};
  if (::fstat(journal.Get(), &status) != 0) return failure(errno);
  if (!S_ISREG(status.st_mode)) return failure(EINVAL);
  // Whatever a write cut short left at the end, the record starts on a line of its own.
  std::string text = FormatRecord(record);
  if (status.st_size > 0) {
    char last = '\n';
    if (::pread(journal.Get(), &last, 1, status.st_size - 1) == 1 && last != '\n') {
      text.insert(text.begin(), '\n');
    }
  }
  std::string_view rest = text;
  while (!rest.empty()) {
    const ssize_t written = ::write(journal.Get(), rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = written < 0 ? errno : EIO;
      [[maybe_unused]] const int ignored = ::ftruncate(journal.Get(), status.st_size);
      return failure(error);
    }
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  if (const int error = journal.Close(); error != 0) return failure(error);
  return script::Outcome::Success();
}

script::Outcome ReadJournal(const script::Folder& backups, std::vector<JournalRecord>& records) {
  records.clear();
  const std::filesystem::path shown = backups.PathOf(kJournalName);
  const auto unreadable = [&](int error) {
    return script::Outcome::Failure(script::Message(script::MessageId::JournalUnreadable, {shown})
                                        .Because(script::Message::System(error)));
  };
  script::FileDescriptor journal(
      ::openat(backups.Descriptor(), kJournalName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!journal.Valid()) {
    if (errno == ENOENT) return script::Outcome::Success();
    return unreadable(errno);
  }
  struct stat status {};
  if (::fstat(journal.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size > kLargestJournal) {
    return script::Outcome::Failure(script::Message(script::MessageId::JournalNotNosks, {shown}));
  }
  std::string text(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t filled = 0;
  while (filled < text.size()) {
    const ssize_t got = ::pread(journal.Get(), text.data() + filled, text.size() - filled,
                                static_cast<off_t>(filled));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return unreadable(errno);
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  records = ParseJournal(text);
  return script::Outcome::Success();
}

}  // namespace nosk::engine
