#include "engine/internal/journaltext.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "script/outcome.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

// A text of the record as it stands, unless a control character (a line end) would cut the
// record's line, or a leading quote would make it look quoted: then quoted as PathText quotes.
std::string Written(std::string_view text) {
  bool quote = text.starts_with('"');
  for (const char c : text) quote = quote || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  return quote ? script::QuotedText(text) : std::string(text);
}

// The text after `key` and one space on a line that starts with it.
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
  char rest = 0;
  if (std::sscanf(copy.c_str(), "file %llu:%llu %lld %lld %lld%c", &device, &inode, &size,
                  &modified, &changed, &rest) == 5) {
    state.device = device;
    state.inode = inode;
    state.size = size;
    state.modifiedNanoseconds = modified;
    state.changedNanoseconds = changed;
  }
  return state;
}

}  // namespace

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::string RecordHeader(const JournalRecord& record) {
  std::string text = "run " + record.id + "\n";
  text += "  time " + record.time + "\n";
  text += "  summary " + Written(script::English(record.summary)) + "\n";
  // The summary as a message too, so that a window in another language can say it.
  text += "  summary-message " + script::MessageCode(record.summary) + "\n";
  for (const std::string& detail : record.details) text += "  detail " + Written(detail) + "\n";
  if (!record.undoes.empty()) {
    text += (record.redo ? "  redoes " : "  undoes ") + record.undoes + "\n";
  }
  return text;
}

std::string RecordIntent(const JournalEntry& entry) {
  return "  script " + Written(entry.script) + "\n    backup " + Written(entry.backup) +
         "\n    replacing " + StateText(entry.replacing) + "\n    keeping " +
         StateText(entry.keeping) + "\n";
}

std::string RecordOutcome(const JournalEntry& entry) {
  return "    before " + StateText(entry.before) + "\n    after " + StateText(entry.after) + "\n";
}

std::string RecordEnd(const std::string& id, std::string_view recordText) {
  return "end " + id + " " + HashOf(recordText).Text() + "\n";
}

std::string FormatRecord(const JournalRecord& record) {
  std::string text = RecordHeader(record);
  for (const JournalEntry& entry : record.scripts) {
    text += RecordIntent(entry);
    if (entry.done) text += RecordOutcome(entry);
  }
  return text + RecordEnd(record.id, text);
}

void JournalParser::Refuse(Message why) {
  if (record_) problems_(Message(MessageId::RecordRefused, {record_->id}).Because(std::move(why)));
  record_.reset();
  spoiled_.reset();
}

void JournalParser::CloseInterrupted() {
  if (!record_) return;
  if (spoiled_) return Refuse(std::move(*spoiled_));
  record_->interrupted = true;
  // The last script's intent cut off by the kill says nothing that can be checked.
  if (!record_->scripts.empty() && !record_->scripts.back().done &&
      record_->scripts.back().keeping.size < 0) {
    record_->scripts.pop_back();
  }
  if (record_->summary.empty()) record_->summary = Message::Verbatim(summaryText_);
  // Stopped before it replaced anything here: there is nothing to tell or take back.
  if (!record_->scripts.empty()) records_(std::move(*record_));
  record_.reset();
}

void JournalParser::Line(std::string_view line, bool cut) {
  std::string_view value;
  if (!cut && Field(line, "run", value)) {
    CloseInterrupted();
    record_.emplace();
    record_->id = value;
    summaryText_.clear();
    hasher_.Finish();
    recordBytes_ = 0;
  }
  if (!record_) return;
  if (!cut && Field(line, "end", value)) {
    const std::size_t space = value.find(' ');
    const bool matches = space != std::string_view::npos && value.substr(0, space) == record_->id &&
                         ContentHash::FromText(value.substr(space + 1)) == hasher_.Finish();
    if (!matches) return Refuse(Message(MessageId::RecordCheckFails));
    if (spoiled_) return Refuse(std::move(*spoiled_));
    if (record_->summary.empty()) record_->summary = Message::Verbatim(summaryText_);
    records_(std::move(*record_));
    record_.reset();
    return;
  }
  hasher_.Update(line);
  hasher_.Update("\n");
  recordBytes_ += line.size() + 1;
  if (cut || recordBytes_ > kLongestRecord) {
    // Kept open to its end, so that its lines are not read as another record's.
    if (!spoiled_) spoiled_ = Message(MessageId::RecordTooLong);
    record_->scripts.clear();
    record_->details.clear();
    return;
  }
  if (spoiled_) return;
  JournalRecord& record = *record_;
  const auto name = [&](std::string_view text, std::string& into) {
    into = script::UnquotedText(text);
    if (!IsPlainName(into)) spoiled_ = Message(MessageId::RecordNamesAPath, {into});
  };
  if (Field(line, "  time", value)) {
    record.time = value;
  } else if (Field(line, "  summary", value)) {
    summaryText_ = script::UnquotedText(value);
  } else if (Field(line, "  summary-message", value)) {
    if (std::optional<Message> said = script::MessageFromCode(value)) {
      record.summary = std::move(*said);
    }
  } else if (Field(line, "  detail", value)) {
    record.details.push_back(script::UnquotedText(value));
  } else if (Field(line, "  undoes", value)) {
    record.undoes = value;
  } else if (Field(line, "  redoes", value)) {
    record.undoes = value;
    record.redo = true;
  } else if (Field(line, "  script", value)) {
    JournalEntry entry;
    name(value, entry.script);
    entry.done = false;
    // A script told again before its exchange: its backup turned out another than foreseen.
    if (!record.scripts.empty() && !record.scripts.back().done &&
        record.scripts.back().script == entry.script) {
      record.scripts.pop_back();
    }
    record.scripts.push_back(std::move(entry));
    if (record.scripts.size() > kMostScriptsInRecord) {
      spoiled_ = Message(MessageId::RecordTooLong);
      record.scripts.clear();
    }
  } else if (!record.scripts.empty()) {
    JournalEntry& entry = record.scripts.back();
    if (Field(line, "    backup", value)) {
      name(value, entry.backup);
    } else if (Field(line, "    replacing", value)) {
      entry.replacing = StateFromText(value);
    } else if (Field(line, "    keeping", value)) {
      entry.keeping = StateFromText(value);
    } else if (Field(line, "    before", value)) {
      entry.before = StateFromText(value);
    } else if (Field(line, "    after", value)) {
      entry.after = StateFromText(value);
      entry.done = true;
    }
  }
}

void JournalParser::Finish() { CloseInterrupted(); }

std::vector<JournalRecord> ParseJournal(std::string_view text,
                                        std::vector<script::Message>* problems) {
  std::vector<JournalRecord> records;
  JournalParser parser([&](JournalRecord&& record) { records.push_back(std::move(record)); },
                       [&](script::Message&& problem) {
                         if (problems != nullptr) problems->push_back(std::move(problem));
                       });
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    // A last line without its line feed is a write cut short: it says nothing yet.
    if (end == std::string_view::npos) break;
    parser.Line(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  parser.Finish();
  return records;
}

std::vector<JournalRecord> RunsOf(const std::vector<JournalRecord>& records) {
  std::vector<JournalRecord> runs;  // newest first while they are gathered
  std::map<std::pair<std::string, unsigned>, std::size_t> known;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    const auto [found, isNew] = known.try_emplace({record->id, record->user}, runs.size());
    if (isNew) {
      runs.push_back(*record);
      continue;
    }
    JournalRecord& run = runs[found->second];
    run.scripts.insert(run.scripts.begin(), record->scripts.begin(), record->scripts.end());
    run.interrupted = run.interrupted || record->interrupted;
  }
  std::reverse(runs.begin(), runs.end());
  return runs;
}

}  // namespace nosk::engine
